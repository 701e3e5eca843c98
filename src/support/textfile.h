// The program's own text files that hold the user's words (the mailing-list addresses): as
// they always were, bytes of the ANSI code page, as long as the code page carries every
// character; otherwise UTF-8 behind a byte-order mark, which the code page never starts with.
#pragma once

#include <string>

extern const char* const Utf8Bom; // EF BB BF

// The file's bytes as UTF-8.
std::string TextFileToUtf8(const std::string& bytes);
// The bytes to write for UTF-8 text.
std::string TextFileBytes(const std::string& utf8);
