// Small text helpers of the bridge.
#pragma once
#include <string>
#include <vector>

// The lines of a program's output, without their LF or CRLF; no empty line after a final break.
std::vector<std::string> SplitLines(const std::string& text);

// Every line break (LF, CRLF, lone CR) becomes CRLF, as the clipboard's text format wants.
std::string ToCrlf(const std::string& text);
// The "gpg: ..." lines of GnuPG's log, without the "gpg: " prefix, one per line; lines of other
// programs' logs and blank lines dropped.
std::string GpgMessages(const std::string& log);
// gpg's standard error with --status-fd 2: the "[GNUPG:] " lines into status, the rest into log,
// each line with its LF.
void SplitStatusAndLog(const std::string& standardError, std::string& status, std::string& log);
// The message shown when GnuPG fails: what failed in plain words, then GnuPG's own words.
std::string FailureText(const std::string& what, const std::string& problem,
                        const std::string& log);
