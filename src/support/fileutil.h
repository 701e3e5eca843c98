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

// Overwrites the file twice with 0x00, 0xFF and random bytes, empties it and deletes it.
// Does nothing when the file does not exist; a file that cannot be read raises FileError.
void WipeFile(const std::string& path);

// "Win32s", "Win95/98", "WinNT" or "Unkown Platform #<n>".
std::string PlatformName(int platformId);

// major.minor.build platform+service pack, as GetVersionExA reports them.
std::string FormatWindowsVersion(unsigned major, unsigned minor, unsigned build, int platformId,
                                 const std::string& servicePack);
