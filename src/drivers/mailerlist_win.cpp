#include "drivers/mailerlist.h"
#include "drivers/mailerlist_win.h"

#include <windows.h>

#include <algorithm>
#include <climits>

int CompareListTextSystem(const std::string& a, const std::string& b) {
    const int r =
        CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                       static_cast<int>(std::min<std::size_t>(a.size(), INT_MAX)), b.data(),
                       static_cast<int>(std::min<std::size_t>(b.size(), INT_MAX)));
    return r == 0 ? CompareListText(a, b) : r - CSTR_EQUAL;
}
