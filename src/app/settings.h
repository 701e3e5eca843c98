// Value encodings of the settings file and the plain list files.
#pragma once

#include <string>
#include <vector>

// An integer value as the profile file holds it: decimal, or hexadecimal when longer than two
// characters and starting "0x"/"0X". Missing (empty) or unconvertible text gives the default.
int DecodeIntValue(const std::string& text, int defaultValue);
// Booleans are read as integers: any non-zero value is true.
bool DecodeBoolValue(const std::string& text, bool defaultValue);
std::string EncodeIntValue(int value);
std::string EncodeBoolValue(bool value); // "1" / "0"
// A radio-group index from the file: below -1 becomes -1 (none chosen), 3 or more becomes 2.
int ClampRadioIndex(int index);

// Lines split at CR LF, a lone CR or a lone LF; nothing trimmed. A last line without an end
// still counts; an empty text has no lines.
std::vector<std::string> SplitListLines(const std::string& text);
// Each line followed by CR LF.
std::string JoinListLines(const std::vector<std::string>& lines);
