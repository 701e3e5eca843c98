#include "support/fileutil.h"

#include "support/platform.h"
#include "support/readastr.h"

#include <chrono>
#include <random>

bool TryWriteFileString(const std::string& path, const std::string& text, FileFailure& failure) {
    try {
        platform::WriteWholeFile(path, text);
        return true;
    } catch (const std::exception& e) {
        failure = {"WriteFileString:" + path, e.what()};
        return false;
    }
}

FileFailures TrimFileToSize(const std::string& path, long long maxSize) {
    if (!platform::FileExists(path))
        return {};
    const std::string text = ReadFileString(path);
    const long long length = static_cast<long long>(text.size());
    if (length <= maxSize)
        return {};
    // The last maxSize + 1 bytes, starting at (1-based) position length - maxSize.
    const long long start = maxSize < 0 ? 0 : length - maxSize - 1;
    FileFailure failure;
    if (!TryWriteFileString(path, text.substr(static_cast<std::size_t>(start)), failure))
        return {failure};
    return {};
}

FileFailures TrimFileToSizeCosmetic(const std::string& path, long long maxSize) {
    FileFailures failures;
    try {
        failures = TrimFileToSize(path, maxSize);
        const std::string text = ReadFileString(path);
        FileFailure failure;
        if (!TryWriteFileString(path, text, failure))
            failures.push_back(failure);
    } catch (const std::exception& e) {
        failures.push_back({"TrimFileToSizeCosmetic: " + path, e.what()});
    }
    return failures;
}

void WipeFile(const std::string& path) {
    if (!platform::FileExists(path))
        return;
    // One pass of noise over the file's own bytes: more passes add nothing on today's disks,
    // and rewriting through truncation would leave the old blocks as they were.
    std::string noise(std::size_t(1) << 16, '\0');
    std::minstd_rand generator(
        static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<int> byte(0, 255);
    for (char& c : noise)
        c = static_cast<char>(byte(generator));
    platform::OverwriteInPlace(path, noise, MaxWipeBytes);
    platform::DeleteFileAt(path);
}

std::string PlatformName(int platformId) {
    switch (platformId) {
    case 0:
        return "Win32s";
    case 1:
        return "Win95/98";
    case 2:
        return "WinNT";
    default:
        return "Unkown Platform #" + std::to_string(platformId);
    }
}

std::string WindowsProductName(unsigned major, unsigned minor, unsigned build) {
    if (major == 10 && minor == 0)
        return build >= 22000 ? "Windows 11" : "Windows 10";
    if (major == 6) {
        switch (minor) {
        case 0:
            return "Windows Vista";
        case 1:
            return "Windows 7";
        case 2:
            return "Windows 8";
        case 3:
            return "Windows 8.1";
        }
    }
    return std::string();
}

std::string FormatWindowsVersion(unsigned major, unsigned minor, unsigned build, int platformId,
                                 const std::string& servicePack) {
    std::string sp = servicePack.substr(0, servicePack.find('\0'));
    if (sp.size() > 128)
        sp.resize(128);
    build &= 0xFFFFu;
    const std::string name = WindowsProductName(major, minor, build);
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(build) + " " +
           PlatformName(platformId) + (sp.empty() ? "" : " " + sp) +
           (name.empty() ? "" : " (" + name + ")");
}
