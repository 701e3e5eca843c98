// The GnuPG command lines the bridge runs. The caller adds the common options and supplies
// input, output, status and log through gpg's standard handles.
#pragma once
#include <string>
#include <vector>

using Args = std::vector<std::string>;

// --batch --no-tty --yes --utf8-strings --display-charset utf-8 --status-fd 2 (and nothing that
// asks for a passphrase outside GnuPG's own agent).
Args CommonArgs();
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
