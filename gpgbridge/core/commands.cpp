#include "commands.h"

std::string NoticeText(int command) {
    if (command == PgpTools)
        return "PGPtools is not part of the GnuPG bridge. Use Kleopatra or GnuPG's own tools.";
    return "The GnuPG bridge does not carry out PGPtray command " + std::to_string(command) +
           ". Use Kleopatra or GnuPG's own tools.";
}
