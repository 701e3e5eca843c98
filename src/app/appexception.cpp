#include "app/appexception.h"

#include "support/error.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <typeinfo>

namespace {
std::string ClassName(const std::exception& error) {
    const char* mangled = typeid(error).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> plain(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return status == 0 && plain ? std::string(plain.get()) : std::string(mangled);
}
} // namespace

void AppException(const std::exception& error) {
    ShowError(ClassName(error), std::string("UH ") + error.what());
}

void GuardHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        try {
            AppException(e);
        } catch (...) {
            // The report itself failed (the log cannot be written): nothing more can be said.
        }
    }
}
