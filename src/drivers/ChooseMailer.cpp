#include "drivers/ChooseMailer.h"

#include "support/runstate.h"
#include "drivers/MFDDirectory.h"

const char* const ChooserCaption = "These mailers are running right now - choose one";

int ChooserPreselection(int chooserIndex, int lineCount) {
    if (chooserIndex < 0 || lineCount <= 0)
        return -1;
    return chooserIndex > lineCount - 1 ? 0 : chooserIndex;
}

bool ChooseMailerLine(MailerRun& run, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= run.ChooserLines.size())
        return false;
    ChooserIndex = index;
    run.CurrentDriver = DriverFileOf(run.ChooserLines[static_cast<std::size_t>(index)]);
    return true;
}
