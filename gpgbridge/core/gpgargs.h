// The GnuPG command lines the bridge runs. The caller adds the common options (status file,
// logger file) and supplies input and output through standard input and output.
#pragma once
#include <string>
#include <vector>

using Args = std::vector<std::string>;

// --batch --no-tty --yes --utf8-strings --display-charset utf-8 --status-file S --logger-file L
// (and nothing that asks for a passphrase outside GnuPG's own agent).
Args CommonArgs(const std::string& statusFile, const std::string& logFile);
Args ListKeysArgs(bool secret); // --with-colons --fixed-list-mode --list-(secret-)keys
// --armor --encrypt [-r id]... [--sign [-u signer]] [--trust-model always]
Args EncryptArgs(const std::vector<std::string>& recipients, bool sign, const std::string& signer,
                 bool trustAll);
Args ClearSignArgs(const std::string& signer); // --armor --clearsign [-u signer]
Args DecryptArgs();                            // --decrypt
Args ShowKeysArgs();                           // --with-colons --import-options show-only --import
Args ImportArgs();                             // --import

// One Windows command-line argument, quoted as CommandLineToArgvW and the C runtime read it.
std::string QuoteArgument(const std::string& arg);
std::string JoinCommandLine(const std::string& program, const Args& args);
