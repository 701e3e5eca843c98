#include "gpgargs.h"

#include <cstddef>

Args CommonArgs() {
    // Text is UTF-8 both ways: arguments, and user ids in status and log lines. Status lines
    // share standard error with the log, so that no file is needed for either.
    return {"--batch",           "--no-tty", "--yes",       "--utf8-strings",
            "--display-charset", "utf-8",    "--status-fd", "2"};
}

Args ListKeysArgs(bool secret) {
    return {"--with-colons", "--fixed-list-mode", secret ? "--list-secret-keys" : "--list-keys"};
}

Args EncryptArgs(const std::vector<std::string>& recipients, bool sign, const std::string& signer,
                 bool trustAll) {
    Args args = {"--armor", "--encrypt"};
    for (const std::string& id : recipients) {
        args.push_back("-r");
        args.push_back(id);
    }
    if (sign) {
        args.push_back("--sign");
        if (!signer.empty()) {
            args.push_back("-u");
            args.push_back(signer);
        }
    }
    if (trustAll) {
        args.push_back("--trust-model");
        args.push_back("always");
    }
    return args;
}

Args ClearSignArgs(const std::string& signer) {
    Args args = {"--armor", "--clearsign"};
    if (!signer.empty()) {
        args.push_back("-u");
        args.push_back(signer);
    }
    return args;
}

Args DecryptArgs() {
    return {"--decrypt"};
}

Args ShowKeysArgs() {
    return {"--with-colons", "--fixed-list-mode", "--import-options", "show-only", "--import"};
}

Args ImportArgs() {
    return {"--import"};
}

std::string QuoteArgument(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos)
        return arg;
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count only before a quote: there they are doubled and the quote escaped.
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    // ... and before the closing quote.
    out.append(backslashes * 2, '\\');
    return out + "\"";
}

std::string JoinCommandLine(const std::string& program, const Args& args) {
    // The program name is read by other rules: quotes only group, backslashes are literal,
    // and a file name cannot hold a quote anyway.
    std::string line = program.empty() || program.find_first_of(" \t") != std::string::npos
                           ? "\"" + program + "\""
                           : program;
    for (const std::string& arg : args)
        line += " " + QuoteArgument(arg);
    return line;
}
