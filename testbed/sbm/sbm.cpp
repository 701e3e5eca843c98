// SBM.EXE: the engine that carries out Mail Form Scripts. Wextor starts it as
//   <Wextor folder>SBM.EXE <script> <request>
// with the script named as the catalogue names it, without the driver folder. A script is a
// profile file: section "Information" (lines 1 to 100, shown by Wextor) and section "Driver",
// which describes the mail client's windows (see testbed/README.md).
#include "exchange.h"
#include "formdriver.h"
#include "winform.h"

#include <windows.h>

#include <cstdlib>
#include <sstream>

namespace {

bool IsFile(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FullPath(const std::string& path) {
    char buf[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof buf, buf, nullptr);
    return n > 0 && n < sizeof buf ? std::string(buf, n) : path;
}

bool HasFolder(const std::string& name) {
    return name.find('\\') != std::string::npos || name.find('/') != std::string::npos ||
           name.find(':') != std::string::npos;
}

// A bare name is looked for in the driver folder named by WIN.INI, then beside SBM.EXE, then
// in the current folder.
std::string LocateScript(const std::string& name) {
    if (HasFolder(name))
        return IsFile(name) ? FullPath(name) : std::string();
    char dir[MAX_PATH] = "";
    GetProfileStringA("Mail Form Drivers", "Path", "", dir, sizeof dir);
    std::string mfdDir = dir;
    while (!mfdDir.empty() && (mfdDir.back() == '\\' || mfdDir.back() == ' '))
        mfdDir.pop_back();
    if (!mfdDir.empty() && IsFile(mfdDir + "\\" + name))
        return FullPath(mfdDir + "\\" + name);
    char exe[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string own(exe, n);
    own = own.substr(0, own.find_last_of('\\') + 1);
    if (IsFile(own + name))
        return own + name;
    return IsFile(name) ? FullPath(name) : std::string();
}

std::string Profile(const std::string& file, const char* section, const char* key) {
    char buf[2048];
    const DWORD n = GetPrivateProfileStringA(section, key, "", buf, sizeof buf, file.c_str());
    return std::string(buf, n);
}

int ProfileInt(const std::string& file, const char* key) {
    return static_cast<int>(std::strtol(Profile(file, "Driver", key).c_str(), nullptr, 10));
}

// "Class:wtype,Class:wtype"
std::vector<mfd::FormKind> ParseKinds(const std::string& list) {
    std::vector<mfd::FormKind> kinds;
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        const size_t colon = item.find(':');
        if (colon == std::string::npos)
            continue;
        std::string cls = item.substr(0, colon);
        while (!cls.empty() && cls.front() == ' ')
            cls.erase(cls.begin());
        while (!cls.empty() && cls.back() == ' ')
            cls.pop_back();
        const int wtype = static_cast<int>(std::strtol(item.c_str() + colon + 1, nullptr, 10));
        if (!cls.empty() && wtype != 0)
            kinds.push_back({cls, wtype});
    }
    return kinds;
}

std::string InformationLines(const std::string& file) {
    std::string text;
    for (int k = 1; k <= 100; ++k) {
        const std::string line = Profile(file, "Information", std::to_string(k).c_str());
        if (!line.empty())
            text += line + "\n";
    }
    return text;
}

bool LoadScript(const std::string& file, mfd::FormDriver& d, std::string& problem) {
    d.information = Profile(file, "Driver", "Information");
    if (d.information.empty())
        d.information = Profile(file, "Information", "1");
    d.shortText = Profile(file, "Driver", "Short");
    d.wrapColumn = ProfileInt(file, "WrapColumn");
    d.mainClass = Profile(file, "Driver", "MainClass");
    d.kinds = ParseKinds(Profile(file, "Driver", "Windows"));
    d.idTo = ProfileInt(file, "To");
    d.idCc = ProfileInt(file, "Cc");
    d.idBcc = ProfileInt(file, "Bcc");
    d.idSubject = ProfileInt(file, "Subject");
    d.idBody = ProfileInt(file, "Body");
    d.aboutTitle = "Mail Form Script - " + file;
    d.aboutText = InformationLines(file);
    if (d.shortText.empty())
        problem = "has no Short in its [Driver] section";
    else if (d.mainClass.empty())
        problem = "has no MainClass in its [Driver] section";
    else if (d.kinds.empty())
        problem = "names no Windows in its [Driver] section";
    else if (d.idBody == 0)
        problem = "has no Body control in its [Driver] section";
    return problem.empty();
}

int Fail(const std::string& text) {
    mfd::ShowInfoBox("SBM.EXE - Mail Form Script error", text);
    return mfd::ExitBadScript;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const mfd::DriverRequest r = mfd::ParseRequest(mfd::CommandTail(GetCommandLineA()));
    if (r.before.empty()) {
        if (r.kind != mfd::DriverRequest::None)
            return Fail("No Mail Form Script named before the request.");
        mfd::ShowInfoBox("About SBM.EXE", "SBM.EXE 1.0 (testbed)\n\nCarries out Mail Form "
                                          "Scripts: SBM.EXE <script> <request>");
        return mfd::ExitOk;
    }
    const std::string file = LocateScript(r.before);
    if (file.empty())
        return Fail("Mail Form Script " + r.before + " not found.");
    mfd::FormDriver d;
    std::string problem;
    if (!LoadScript(file, d, problem))
        return Fail("Mail Form Script " + file + " " + problem + ".");
    return mfd::RunFormDriver(d, r);
}
