#include "settings.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

namespace {

bool IsHex(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isxdigit(c) != 0; });
}

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// "<folder>\<tail>" with exactly one backslash between, however the folder ends.
std::string InFolder(std::string folder, const char* tail) {
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return folder + "\\" + tail;
}

} // namespace

std::string JoinKeyIds(const std::vector<std::string>& ids) {
    std::string text;
    for (const std::string& id : ids) {
        if (id.empty())
            continue;
        if (!text.empty())
            text += ' ';
        text += id;
    }
    return text;
}

std::vector<std::string> SplitKeyIds(const std::string& text) {
    std::vector<std::string> ids;
    const char* separators = " \t\r\n,";
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = text.find_first_not_of(separators, pos);
        if (start == std::string::npos)
            break;
        std::size_t end = text.find_first_of(separators, start);
        if (end == std::string::npos)
            end = text.size();
        std::string id = text.substr(start, end - start);
        pos = end;
        if (IsHex(id))
            std::transform(id.begin(), id.end(), id.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (std::find(ids.begin(), ids.end(), id) == ids.end())
            ids.push_back(id);
    }
    return ids;
}

bool ParseFlag(const std::string& text, bool fallback) {
    const std::string value = Lower(Trim(text));
    if (value == "1" || value == "true" || value == "yes")
        return true;
    if (value == "0" || value == "false" || value == "no")
        return false;
    return fallback;
}

namespace {

// Gpg4win's own word first (each registry view, then the user's), then its usual folders.
void AddInstallPlaces(const Gpg4winPlaces& places, const char* inInstall, const char* inPrograms,
                      std::vector<std::string>& paths) {
    auto add = [&](const std::string& folder, const char* tail) {
        const std::string path =
            Trim(folder).empty() ? std::string() : InFolder(Trim(folder), tail);
        // One folder may come from several places: a 32-bit Windows has one Program Files.
        if (!path.empty() && std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(path);
    };
    for (const std::string& folder : places.installDirectories)
        add(folder, inInstall);
    for (const std::string& folder : places.programFolders)
        add(folder, inPrograms);
}

} // namespace

std::vector<std::string> GpgCandidates(const std::string& setting, const Gpg4winPlaces& places) {
    std::vector<std::string> paths;
    // A path pasted from Explorer often comes in quotes.
    std::string configured = Trim(setting);
    if (configured.size() >= 2 && configured.front() == '"' && configured.back() == '"')
        configured = Trim(configured.substr(1, configured.size() - 2));
    if (!configured.empty())
        paths.push_back(configured);
    AddInstallPlaces(places, "bin\\gpg.exe", "GnuPG\\bin\\gpg.exe", paths);
    return paths;
}

std::vector<std::string> KleopatraCandidates(const Gpg4winPlaces& places) {
    std::vector<std::string> paths;
    AddInstallPlaces(places, "bin\\kleopatra.exe", "Gpg4win\\bin\\kleopatra.exe", paths);
    return paths;
}

std::string PerUserSettingsFile(const std::string& appData) {
    if (appData.empty())
        return std::string();
    return InFolder(InFolder(appData, "GnuPG bridge"), "GpgBridge.INI");
}

SettingsPlace ChooseSettingsPlace(bool windowsDirWritable, bool perUserFileExists,
                                  const std::string& windowsDir, const std::string& appData) {
    const std::string perUser = PerUserSettingsFile(appData);
    if (perUser.empty() || (windowsDirWritable && !perUserFileExists))
        return {"GpgBridge.INI", std::string()};
    return {perUser, windowsDir.empty() ? std::string() : InFolder(windowsDir, "GpgBridge.INI")};
}

std::vector<std::string> PathFolders(const std::string& path) {
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(';', start);
        if (end == std::string::npos)
            end = path.size();
        std::string folder = Trim(path.substr(start, end - start));
        start = end + 1;
        folder.erase(std::remove(folder.begin(), folder.end(), '"'), folder.end());
        const bool drive = folder.size() >= 3 &&
                           std::isalpha(static_cast<unsigned char>(folder[0])) &&
                           folder[1] == ':' && (folder[2] == '\\' || folder[2] == '/');
        const bool unc = folder.size() >= 3 && folder[0] == '\\' && folder[1] == '\\';
        if (drive || unc)
            folders.push_back(folder);
    }
    return folders;
}
