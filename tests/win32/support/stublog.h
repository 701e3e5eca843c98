// The PGP stand-in's command log: one record per CR LF line, TAB-separated name=value fields
// with backslash escapes (see testbed/README.md).
#pragma once

#include <map>
#include <string>
#include <vector>

using Record = std::map<std::string, std::string>;

inline std::string Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const char c = s[++i];
        if (c == 'r')
            out += '\r';
        else if (c == 'n')
            out += '\n';
        else if (c == 't')
            out += '\t';
        else if (c == 'x' && i + 2 < s.size()) {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else
            out += c;
    }
    return out;
}

inline std::vector<Record> ParseStubLog(const std::string& log) {
    std::vector<Record> records;
    size_t pos = 0;
    while (pos < log.size()) {
        size_t end = log.find("\r\n", pos);
        if (end == std::string::npos)
            end = log.size();
        Record r;
        const std::string line = log.substr(pos, end - pos);
        for (size_t f = 0; f <= line.size();) {
            size_t tab = line.find('\t', f);
            if (tab == std::string::npos)
                tab = line.size();
            const std::string field = line.substr(f, tab - f);
            const size_t eq = field.find('=');
            if (eq != std::string::npos)
                r[field.substr(0, eq)] = Unescape(field.substr(eq + 1));
            f = tab + 1;
        }
        records.push_back(r);
        pos = end + 2;
    }
    return records;
}
