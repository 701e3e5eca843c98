// The driver folder named by WIN.INI and its catalogue "SELECTG.DAT", split into the active
// and the library mailer list.
#pragma once

#include "drivers/mailerlist.h"

#include <functional>
#include <string>
#include <vector>

// Where WIN.INI names the driver folder.
extern const char* const kMfdSection; // "Mail Form Drivers"
extern const char* const kMfdKey;     // "Path"

// The blanks between display name and driver file that keep the file name out of sight.
constexpr std::size_t kMailerEntryGap = 200;

// One line of the catalogue: fields separated by "!", field 4 on unused.
struct CatalogueEntry {
    std::string displayName; // field 1
    std::string flags;       // field 2
    std::string driverFile;  // field 3, relative to MfdDirectory
};

CatalogueEntry ParseCatalogueLine(const std::string& line);
// A flag text holding "5" or "-" keeps the line out of the lists.
bool FlagsOffer(const std::string& flags);
// Lines split at CR LF, a lone CR or a lone LF; a last line without an end counts.
std::vector<std::string> CatalogueLines(const std::string& text);

// Display name, exactly 200 blanks, driver file; both taken as they are.
std::string MailerEntry(const std::string& displayName, const std::string& driverFile);
// The text after the first run of 200 blanks, trimmed; empty when there is no such run.
std::string DriverFileOf(const std::string& entry);
// The entry without a leading same-driver mark "=".
std::string StripSameDriverMark(const std::string& entry);

// The driver folder: the one WIN.INI names wins; without one, the folder the drivers are
// installed in beside the program, ProgramDir + "MFD" (never the current drive's root, whose
// programs would be started as drivers). It is chosen even while it does not exist, so that a
// missing catalogue is reported in a place the user can find.
std::string ChooseMfdDirectory(const std::string& fromWinIni, const std::string& programDir);

// MfdDirectory + "\SELECTG.DAT".
std::string CataloguePath();

using FileTest = std::function<bool(const std::string& path)>;

// Puts each offered line of the catalogue text into the active list when activeLines holds its
// MailerEntry (letter case ignored), else into the library. A line is offered when its flags
// allow it and driverExists(mfdDirectory + "\" + driver file) holds.
void SplitCatalogue(const std::string& text, const std::string& mfdDirectory,
                    const std::vector<std::string>& activeLines, const FileTest& driverExists,
                    MailerList& active, MailerList& library);

// Reads the catalogue of MfdDirectory into the lists and rebuilds ActiveDriverFiles. When the
// catalogue cannot be read the user is warned (ShowError) and start-up goes on with empty lists
// and an empty ActiveDriverFiles.
void LoadCatalogue(const std::vector<std::string>& activeLines, MailerList& active,
                   MailerList& library);

// ActiveDriverFiles := DriverFileOf of each active entry, sorted, each file once (letter case
// ignored; the first one met is kept).
void RebuildActiveDriverFiles(const MailerList& active);
