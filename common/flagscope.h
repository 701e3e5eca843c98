// Sets a flag for the length of a scope, also when the scope is left by an exception.
#pragma once

class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& flag_;
};

// Gives a variable a value for the length of a scope and puts back the one it had.
template <class T> class ValueScope {
  public:
    ValueScope(T& variable, T value) : variable_(variable), before_(variable) { variable_ = value; }
    ~ValueScope() { variable_ = before_; }
    ValueScope(const ValueScope&) = delete;
    ValueScope& operator=(const ValueScope&) = delete;

  private:
    T& variable_;
    T before_;
};
