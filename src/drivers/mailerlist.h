// The mailer lists (library and active): texts kept in the order of a Windows sorted list box.
#pragma once

#include <string>
#include <vector>

// Orders two code page 1252 texts as a sorted list box (LBS_SORT) does: the box compares with
// CompareString(user locale, NORM_IGNORECASE), a word sort in which letters ignore their case
// but not their accents, "-" and "'" count only after everything else, punctuation comes before
// digits and digits before letters, and "ae", "ss", "th" equal their ligatures. This is the
// default table (English and most Western locales). <0, 0 or >0.
int CompareListText(const std::string& a, const std::string& b);

// Equality with letter case ignored, as code page 1252 pairs its upper and lower case letters.
bool SameText(const std::string& a, const std::string& b);

using ListTextCompare = int (*)(const std::string& a, const std::string& b);

// A sorted list box's items and selection. Add finds the place by the box's own binary search,
// so that a list whose entries were replaced out of order (same-driver marks) still gets new
// entries where the real box puts them.
class MailerList {
  public:
    explicit MailerList(ListTextCompare compare = CompareListText) : compare_(compare) {}

    // At the sorted place, in front of an equal entry; returns the index (LB_ADDSTRING).
    int Add(const std::string& text);
    // In place, without sorting; the selection stays (what the window does for a mark).
    void Replace(int index, const std::string& text);
    void Delete(int index); // deleting the selected entry clears the selection
    void Clear();

    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    const std::string& operator[](int index) const { return items_.at(static_cast<size_t>(index)); }
    const std::vector<std::string>& Items() const { return items_; }

    int Selected() const { return selected_; } // -1: none
    void Select(int index);                    // out of range: none

  private:
    ListTextCompare compare_;
    std::vector<std::string> items_;
    int selected_ = -1;
};
