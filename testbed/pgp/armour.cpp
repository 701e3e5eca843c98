#include "armour.h"

#include <cstdint>

namespace armour {

namespace {

const char kVersionLine[] = "Version: PGP for Windows (stand-in) 5.0.3";
const char kKey[] = "stand-in for PGP 5.x: not a cipher";
const char kB64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

const std::string kBeginMessage = "-----BEGIN PGP MESSAGE-----";
const std::string kEndMessage = "-----END PGP MESSAGE-----";
const std::string kBeginSigned = "-----BEGIN PGP SIGNED MESSAGE-----";
const std::string kBeginSignature = "-----BEGIN PGP SIGNATURE-----";
const std::string kEndSignature = "-----END PGP SIGNATURE-----";
const std::string kBeginKey = "-----BEGIN PGP PUBLIC KEY BLOCK-----";
const std::string kEndKey = "-----END PGP PUBLIC KEY BLOCK-----";

const std::string kMagicMessage = "PGSt";
const std::string kMagicSignature = "PGSg";
const std::string kMagicKey = "PGSk";

std::string KeyStream(const std::string& data) {
    std::string out = data;
    const size_t n = sizeof kKey - 1;
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(out[i] ^ kKey[i % n] ^ static_cast<char>(i * 167 + 13));
    return out;
}

uint32_t Crc24(const std::string& data) {
    uint32_t crc = 0xB704CE;
    for (unsigned char c : data) {
        crc ^= static_cast<uint32_t>(c) << 16;
        for (int i = 0; i < 8; ++i) {
            crc <<= 1;
            if (crc & 0x1000000)
                crc ^= 0x1864CFB;
        }
    }
    return crc & 0xFFFFFF;
}

// Signatures do not depend on whether lines end in CR LF or LF alone.
uint32_t Digest(const std::string& text) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        h = (h ^ static_cast<unsigned char>(text[i])) * 16777619u;
    }
    return h;
}

std::string Be32(uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[i] = static_cast<char>((v >> (24 - 8 * i)) & 0xFF);
    return s;
}

uint32_t ReadBe32(const std::string& s, size_t pos) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<unsigned char>(s[pos + i]);
    return v;
}

std::string Base64(const std::string& data) {
    std::string out;
    size_t i = 0;
    for (; i + 2 < data.size(); i += 3) {
        const uint32_t v = (static_cast<unsigned char>(data[i]) << 16) |
                           (static_cast<unsigned char>(data[i + 1]) << 8) |
                           static_cast<unsigned char>(data[i + 2]);
        out += kB64[(v >> 18) & 63];
        out += kB64[(v >> 12) & 63];
        out += kB64[(v >> 6) & 63];
        out += kB64[v & 63];
    }
    if (i < data.size()) {
        uint32_t v = static_cast<unsigned char>(data[i]) << 16;
        if (i + 1 < data.size())
            v |= static_cast<unsigned char>(data[i + 1]) << 8;
        out += kB64[(v >> 18) & 63];
        out += kB64[(v >> 12) & 63];
        out += i + 1 < data.size() ? kB64[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

bool Unbase64(const std::string& text, std::string& out) {
    out.clear();
    uint32_t acc = 0;
    int bits = 0;
    bool padded = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        if (c == '=') {
            padded = true;
            continue;
        }
        const char* p = nullptr;
        for (const char* q = kB64; *q; ++q)
            if (*q == c)
                p = q;
        if (!p || padded)
            return false;
        acc = (acc << 6) | static_cast<uint32_t>(p - kB64);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((acc >> bits) & 0xFF);
        }
    }
    return true;
}

std::string ArmourBody(const std::string& binary) {
    const std::string b64 = Base64(binary);
    std::string out;
    for (size_t i = 0; i < b64.size(); i += 64)
        out += b64.substr(i, 64) + "\r\n";
    const uint32_t crc = Crc24(binary);
    std::string crcBytes(3, '\0');
    crcBytes[0] = static_cast<char>(crc >> 16);
    crcBytes[1] = static_cast<char>(crc >> 8);
    crcBytes[2] = static_cast<char>(crc);
    out += "=" + Base64(crcBytes) + "\r\n";
    return out;
}

std::string Armour(const std::string& begin, const std::string& end, const std::string& payload) {
    return begin + "\r\n" + kVersionLine + "\r\n\r\n" + ArmourBody(KeyStream(payload)) + end +
           "\r\n";
}

std::string DashEscape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '-' && (i == 0 || text[i - 1] == '\n'))
            out += "- ";
        out += text[i];
    }
    return out;
}

std::string DashUnescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((i == 0 || text[i - 1] == '\n') && text.compare(i, 2, "- ") == 0) {
            ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

// One line of a text: [start, contentEnd) without its line break, next = start of the next.
struct Line {
    size_t start, contentEnd, next;
};

Line LineAt(const std::string& text, size_t start) {
    size_t lf = text.find('\n', start);
    Line l;
    l.start = start;
    l.next = lf == std::string::npos ? text.size() : lf + 1;
    size_t e = lf == std::string::npos ? text.size() : lf;
    if (e > start && text[e - 1] == '\r')
        --e;
    l.contentEnd = e;
    return l;
}

bool LineIs(const std::string& text, const Line& l, const std::string& marker) {
    // Trailing blanks after a marker are tolerated, as mail clients add them.
    if (text.compare(l.start, marker.size(), marker) != 0)
        return false;
    for (size_t i = l.start + marker.size(); i < l.contentEnd; ++i)
        if (text[i] != ' ' && text[i] != '\t')
            return false;
    return true;
}

bool LineBlank(const std::string& text, const Line& l) {
    for (size_t i = l.start; i < l.contentEnd; ++i)
        if (text[i] != ' ' && text[i] != '\t')
            return false;
    return true;
}

// The first line at or after pos that is the marker, or npos.
size_t FindLine(const std::string& text, size_t pos, const std::string& marker) {
    while (pos < text.size()) {
        const Line l = LineAt(text, pos);
        if (LineIs(text, l, marker))
            return l.start;
        pos = l.next;
    }
    return std::string::npos;
}

// Reads the armoured data between a begin line (at begin) and its end line (at end): header
// lines up to a blank line, base64 lines, "=" checksum line. False on a damaged armour.
bool ReadArmourData(const std::string& text, size_t begin, size_t end, std::string& payload) {
    size_t pos = LineAt(text, begin).next;
    // Headers are "Name: value" lines ended by a blank line; an armour without headers starts
    // with its data at once.
    size_t scan = pos;
    bool sawHeaderEnd = false;
    while (scan < end) {
        const Line l = LineAt(text, scan);
        if (LineBlank(text, l)) {
            sawHeaderEnd = true;
            scan = l.next;
            break;
        }
        if (text.substr(l.start, l.contentEnd - l.start).find(": ") == std::string::npos)
            break;
        scan = l.next;
    }
    if (sawHeaderEnd)
        pos = scan;
    std::string b64, crcText;
    while (pos < end) {
        const Line l = LineAt(text, pos);
        const std::string content = text.substr(l.start, l.contentEnd - l.start);
        if (!content.empty() && content[0] == '=')
            crcText = content.substr(1);
        else
            b64 += content;
        pos = l.next;
    }
    std::string binary, crcBytes;
    if (!Unbase64(b64, binary) || binary.empty())
        return false;
    if (!crcText.empty()) {
        if (!Unbase64(crcText, crcBytes) || crcBytes.size() != 3)
            return false;
        const uint32_t crc = (static_cast<unsigned char>(crcBytes[0]) << 16) |
                             (static_cast<unsigned char>(crcBytes[1]) << 8) |
                             static_cast<unsigned char>(crcBytes[2]);
        if (crc != Crc24(binary))
            return false;
    }
    payload = KeyStream(binary);
    return true;
}

std::string DecodeMessage(const std::string& payload, std::string& plain) {
    if (payload.size() < 9 || payload.compare(0, 4, kMagicMessage) != 0)
        return "cannot-decrypt";
    const char kind = payload[4];
    const uint32_t len = ReadBe32(payload, 5);
    const size_t tail = kind == 'S' ? 4 : 0;
    if ((kind != 'E' && kind != 'S') || payload.size() != 9 + size_t(len) + tail)
        return "cannot-decrypt";
    plain = payload.substr(9, len);
    if (kind == 'E')
        return "decrypted";
    return ReadBe32(payload, 9 + len) == Digest(plain) ? "decrypted+good-signature"
                                                       : "decrypted+bad-signature";
}

} // namespace

std::string Encrypt(const std::string& text, bool withSignature) {
    std::string payload = kMagicMessage + (withSignature ? "S" : "E") +
                          Be32(static_cast<uint32_t>(text.size())) + text;
    if (withSignature)
        payload += Be32(Digest(text));
    return Armour(kBeginMessage, kEndMessage, payload);
}

std::string ClearSign(const std::string& text) {
    // The line break in front of the signature belongs to the armour: it is always added, so
    // verifying gives back exactly the text, with or without its own final line break.
    const std::string sig =
        kMagicSignature + Be32(static_cast<uint32_t>(text.size())) + Be32(Digest(text));
    return kBeginSigned + "\r\nHash: SHA1\r\n\r\n" + DashEscape(text) + "\r\n" +
           Armour(kBeginSignature, kEndSignature, sig);
}

std::string StandInKeyBlock() {
    return Armour(kBeginKey, kEndKey,
                  kMagicKey + "Stand-in Correspondent <correspondent@example.com>");
}

Decoded DecryptVerify(const std::string& text) {
    Decoded d;
    size_t pos = 0;
    while (pos < text.size()) {
        const Line l = LineAt(text, pos);
        if (LineIs(text, l, kBeginMessage)) {
            const size_t endLine = FindLine(text, l.next, kEndMessage);
            if (endLine == std::string::npos)
                break;
            d.found = true;
            const size_t blockEnd = LineAt(text, endLine).next;
            std::string payload, plain;
            std::string result = "bad-checksum";
            if (ReadArmourData(text, l.start, endLine, payload))
                result = DecodeMessage(payload, plain);
            d.results.push_back(result);
            if (result.compare(0, 9, "decrypted") == 0)
                d.text += plain;
            else
                d.text += text.substr(l.start, blockEnd - l.start);
            pos = blockEnd;
            continue;
        }
        if (LineIs(text, l, kBeginSigned)) {
            const size_t sigLine = FindLine(text, l.next, kBeginSignature);
            const size_t endLine = sigLine == std::string::npos
                                       ? std::string::npos
                                       : FindLine(text, sigLine, kEndSignature);
            if (endLine == std::string::npos)
                break;
            d.found = true;
            const size_t blockEnd = LineAt(text, endLine).next;
            // Hash headers up to the blank line, then the signed text up to the signature.
            size_t textStart = l.next;
            while (textStart < sigLine) {
                const Line h = LineAt(text, textStart);
                textStart = h.next;
                if (LineBlank(text, h))
                    break;
            }
            std::string region = text.substr(textStart, sigLine - textStart);
            if (region.size() >= 2 && region.compare(region.size() - 2, 2, "\r\n") == 0)
                region.resize(region.size() - 2);
            else if (!region.empty() && region.back() == '\n')
                region.pop_back();
            const std::string plain = DashUnescape(region);
            std::string payload;
            std::string result = "bad-checksum";
            if (ReadArmourData(text, sigLine, endLine, payload)) {
                if (payload.size() == 12 && payload.compare(0, 4, kMagicSignature) == 0)
                    result =
                        ReadBe32(payload, 8) == Digest(plain) ? "good-signature" : "bad-signature";
                else
                    result = "cannot-decrypt";
            }
            d.results.push_back(result);
            if (result == "bad-checksum" || result == "cannot-decrypt")
                d.text += text.substr(l.start, blockEnd - l.start);
            else
                d.text += plain; // PGP shows the text also when its signature is bad
            pos = blockEnd;
            continue;
        }
        d.text += text.substr(l.start, l.next - l.start);
        pos = l.next;
    }
    if (pos < text.size())
        d.text += text.substr(pos);
    return d;
}

std::vector<std::string> KeyBlocks(const std::string& text) {
    std::vector<std::string> blocks;
    size_t pos = 0;
    while ((pos = FindLine(text, pos, kBeginKey)) != std::string::npos) {
        const size_t endLine = FindLine(text, pos, kEndKey);
        if (endLine == std::string::npos)
            break;
        std::string block;
        size_t p = pos;
        while (p <= endLine) {
            const Line l = LineAt(text, p);
            block += text.substr(l.start, l.contentEnd - l.start) + "\r\n";
            p = l.next;
        }
        blocks.push_back(block);
        pos = p;
    }
    return blocks;
}

} // namespace armour
