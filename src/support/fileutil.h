// Whole-file helpers. Failures that the caller can live with are reported here, not raised.
#pragma once

#include <string>

// Creates or truncates the file and writes the text exactly. Never fails to its caller: a
// failure is reported with ShowError("WriteFileString:" + path, system error text).
// True when the file was written.
bool WriteFileString(const std::string& path, const std::string& text);

// Keeps the last maxSize + 1 bytes of a file longer than maxSize.
void TrimFileToSize(const std::string& path, long long maxSize);
// TrimFileToSize, then the file read and written back; failures go to ShowError.
void TrimFileToSizeCosmetic(const std::string& path, long long maxSize);

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
