#include "support/fields.h"

std::string ExtractField(const std::string& line, int index) {
    std::string result;
    int field = 1;
    for (char c : line) {
        if (c == '!')
            ++field;
        else if (field == index)
            result += c;
    }
    return result;
}
