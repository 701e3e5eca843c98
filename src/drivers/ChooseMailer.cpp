#include "drivers/ChooseMailer.h"

#include "support/runstate.h"
#include "drivers/MFDDirectory.h"

const char* const ChooserCaption = "These mailers are running right now - choose one";

int ChooserPreselection(int chooserIndex, int lineCount) {
    if (chooserIndex < 0 || lineCount <= 0)
        return -1;
    return chooserIndex > lineCount - 1 ? 0 : chooserIndex;
}

bool ChooseMailerLine(const std::vector<std::string>& lines, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= lines.size())
        return false;
    ChooserIndex = index;
    CurrentDriver = DriverFileOf(lines[static_cast<std::size_t>(index)]);
    return true;
}
