// Whole-file helpers. They show nothing: what they could not do goes back to the caller, which
// tells the user (the debug log is trimmed through them, so they cannot report through it).
#pragma once

#include <string>
#include <vector>

// A step that failed: where, as the error report names it ("WriteFileString:" + path), and the
// system's text.
struct FileFailure {
    std::string where;
    std::string what;
};
using FileFailures = std::vector<FileFailure>;

// Creates or truncates the file and writes the text exactly. False, with the failure, when it
// could not; WriteFileString in support/error.h is the same with the report shown.
bool TryWriteFileString(const std::string& path, const std::string& text, FileFailure& failure);

// Keeps the last maxSize + 1 bytes of a file longer than maxSize. A failed write is returned;
// a file that cannot be read raises FileError.
FileFailures TrimFileToSize(const std::string& path, long long maxSize);
// TrimFileToSize, then the file read and written back; every failure returned, none raised.
FileFailures TrimFileToSizeCosmetic(const std::string& path, long long maxSize);

// How much of a file a wipe overwrites: far more than any message the program takes, so that
// a file of gigabytes (no message of ours) cannot keep the program busy for minutes.
constexpr long long MaxWipeBytes = 64LL << 20;
// Overwrites the file's bytes in place with random bytes, flushed to disk, then deletes it.
// Does nothing when the file does not exist; a file that cannot be written is still deleted.
void WipeFile(const std::string& path);

// "Win32s", "Win95/98", "WinNT" or "Unkown Platform #<n>".
std::string PlatformName(int platformId);

// "Windows 7" ... "Windows 11" for the versions since Vista; empty for others.
std::string WindowsProductName(unsigned major, unsigned minor, unsigned build);
// "major.minor.build platform[ service pack][ (product)]", e.g.
// "10.0.22631 WinNT (Windows 11)".
std::string FormatWindowsVersion(unsigned major, unsigned minor, unsigned build, int platformId,
                                 const std::string& servicePack);
