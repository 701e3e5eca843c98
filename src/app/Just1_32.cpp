#include "app/Just1_32.h"

std::string DerivedInstanceTitle(const std::string& exeFileName) {
    if (exeFileName.find(".EXE") == std::string::npos || exeFileName.size() < 4)
        return std::string();
    return exeFileName.substr(0, exeFileName.size() - 4);
}
