#include "drivers/MFDDirectory.h"

#include "support/runstate.h"
#include "common/blanks.h"
#include "support/error.h"
#include "support/fields.h"
#include "support/platform.h"

#include <algorithm>

const char* const kMfdSection = "Mail Form Drivers";
const char* const kMfdKey = "Path";

CatalogueEntry ParseCatalogueLine(const std::string& line) {
    return {ExtractField(line, 1), ExtractField(line, 2), ExtractField(line, 3)};
}

bool FlagsOffer(const std::string& flags) {
    return flags.find_first_of("5-") == std::string::npos;
}

std::vector<std::string> CatalogueLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::string MailerEntry(const std::string& displayName, const std::string& driverFile) {
    return displayName + std::string(kMailerEntryGap, ' ') + driverFile;
}

std::string DriverFileOf(const std::string& entry) {
    const std::size_t gap = entry.find(std::string(kMailerEntryGap, ' '));
    if (gap == std::string::npos)
        return std::string();
    // Trimmed as the toolkit trims: every character up to the blank counts as white space.
    auto white = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t first = gap + kMailerEntryGap, last = entry.size();
    while (first < last && white(entry[first]))
        ++first;
    while (last > first && white(entry[last - 1]))
        --last;
    return entry.substr(first, last - first);
}

std::string StripSameDriverMark(const std::string& entry) {
    return !entry.empty() && entry[0] == '=' ? entry.substr(1) : entry;
}

std::string ChooseMfdDirectory(const std::string& fromWinIni, const std::string& programDir) {
    if (!std::all_of(fromWinIni.begin(), fromWinIni.end(), IsBlankOrControl))
        return fromWinIni;
    // No folder at all must not turn into the root: "\MFD".
    const bool joined = programDir.empty() || programDir.back() == '\\';
    return programDir + (joined ? "" : "\\") + "MFD";
}

std::string CataloguePath() {
    return MfdDirectory + "\\SELECTG.DAT";
}

void SplitCatalogue(const std::string& text, const std::string& mfdDirectory,
                    const std::vector<std::string>& activeLines, const FileTest& driverExists,
                    MailerList& active, MailerList& library) {
    for (const std::string& line : CatalogueLines(text)) {
        const CatalogueEntry entry = ParseCatalogueLine(line);
        // The flags first: they cost nothing, the file test a disk access.
        if (!FlagsOffer(entry.flags) || !driverExists(mfdDirectory + "\\" + entry.driverFile))
            continue;
        const std::string mailer = MailerEntry(entry.displayName, entry.driverFile);
        const bool isActive =
            std::any_of(activeLines.begin(), activeLines.end(),
                        [&](const std::string& saved) { return SameText(saved, mailer); });
        (isActive ? active : library).Add(mailer);
    }
}

void LoadCatalogue(const std::vector<std::string>& activeLines, MailerList& active,
                   MailerList& library) {
    std::string text;
    try {
        text = platform::ReadWholeFile(CataloguePath());
    } catch (const FileError& e) {
        // Without a catalogue there is nothing to offer, but the program must still start (and
        // its scan find no mailer running), so this is a warning, not the end of start-up.
        RebuildActiveDriverFiles(active);
        ShowError("LoadCatalogue", e.what());
        return;
    }
    try {
        SplitCatalogue(text, MfdDirectory, activeLines, platform::FileExists, active, library);
    } catch (...) {
        RebuildActiveDriverFiles(active);
        throw;
    }
    RebuildActiveDriverFiles(active);
}

void RebuildActiveDriverFiles(const MailerList& active) {
    ActiveDriverFiles.clear();
    for (const std::string& entry : active.Items()) {
        const std::string file = DriverFileOf(entry);
        if (file.empty())
            continue; // no driver to run
        auto place = std::upper_bound(
            ActiveDriverFiles.begin(), ActiveDriverFiles.end(), file,
            [](const std::string& a, const std::string& b) { return CompareListText(a, b) < 0; });
        const bool known = std::any_of(ActiveDriverFiles.begin(), ActiveDriverFiles.end(),
                                       [&](const std::string& f) { return SameText(f, file); });
        if (!known)
            ActiveDriverFiles.insert(place, file);
    }
}
