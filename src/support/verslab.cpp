#include "support/verslab.h"

#include <cstdint>
#include <vector>

namespace {
struct ResourceName {
    const char* key;
    const char* prefix;
};

const ResourceName kResourceNames[] = {
    {"CompanyName", "Company Name:"},
    {"FileDescription", "File Description:"},
    {"FileVersion", "File Version:"},
    {"InternalName", "Internal Name:"},
    {"LegalCopyright", "Legal Copyright:"},
    {"OriginalFilename", "Original Filename:"},
    {"ProductName", "Product Name:"},
    {"ProductVersion", "Product Version:"},
    {"Comments", "Comments:"},
};

const ResourceName& NamesOf(TVersionResources resource) {
    const auto i = static_cast<std::size_t>(resource);
    const std::size_t count = sizeof kResourceNames / sizeof kResourceNames[0];
    return kResourceNames[i < count ? i : static_cast<std::size_t>(vrFileVersion)];
}

// Little-endian reads that fail instead of leaving the buffer.
class Reader {
  public:
    explicit Reader(const std::string& data) : data_(data) {}
    std::size_t size() const { return data_.size(); }
    bool Has(std::uint64_t offset, std::uint64_t count) const {
        return offset <= data_.size() && count <= data_.size() - offset;
    }
    bool U16(std::uint64_t offset, std::uint32_t& value) const {
        if (!Has(offset, 2))
            return false;
        value = Byte(offset) | Byte(offset + 1) << 8;
        return true;
    }
    bool U32(std::uint64_t offset, std::uint32_t& value) const {
        if (!Has(offset, 4))
            return false;
        value = Byte(offset) | Byte(offset + 1) << 8 | Byte(offset + 2) << 16 |
                static_cast<std::uint32_t>(Byte(offset + 3)) << 24;
        return true;
    }

  private:
    std::uint32_t Byte(std::uint64_t offset) const {
        return static_cast<unsigned char>(data_[static_cast<std::size_t>(offset)]);
    }
    const std::string& data_;
};

std::uint64_t Align4(std::uint64_t offset) {
    return (offset + 3) & ~std::uint64_t{3};
}

// Code page 1252 for the UTF-16 units 0x80..0x9F it moved elsewhere; others become "?".
char ToAnsi(std::uint32_t unit) {
    static const std::uint16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (unsigned i = 0; i < 32; ++i)
        if (kHigh[i] == unit)
            return static_cast<char>(0x80 + i);
    return '?';
}

unsigned char FoldAnsi(char c) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
        return static_cast<unsigned char>(b + 0x20);
    return b;
}

// One node of the version tree: wLength, wValueLength, wType, key, value, children.
struct Node {
    std::uint64_t start = 0, end = 0; // end: start + wLength, inside the parent
    std::uint32_t valueLength = 0, type = 0;
    std::uint64_t keyStart = 0, value = 0, children = 0;
};

bool ReadNode(const Reader& in, std::uint64_t start, std::uint64_t limit, Node& node) {
    std::uint32_t length = 0;
    if (!in.U16(start, length) || !in.U16(start + 2, node.valueLength) ||
        !in.U16(start + 4, node.type) || length < 6 || start + length > limit)
        return false;
    node.start = start;
    node.end = start + length;
    node.keyStart = start + 6;
    std::uint64_t at = node.keyStart;
    for (std::uint32_t unit = 1; unit != 0; at += 2)
        if (at + 2 > node.end || !in.U16(at, unit))
            return false;
    node.value = Align4(at);
    node.children = Align4(node.value + std::uint64_t{node.valueLength} * (node.type ? 2 : 1));
    return true;
}

bool KeyIs(const Reader& in, const Node& node, const std::string& name) {
    std::uint64_t at = node.keyStart;
    for (const char c : name) {
        std::uint32_t unit = 0;
        in.U16(at, unit);
        const char ansi = ToAnsi(unit);
        if (unit == 0 || (ansi == '?' && unit != '?') || FoldAnsi(ansi) != FoldAnsi(c))
            return false;
        at += 2;
    }
    std::uint32_t unit = 1;
    return in.U16(at, unit) && unit == 0;
}

bool FindChild(const Reader& in, const Node& parent, const std::string& name, Node& child) {
    for (std::uint64_t at = parent.children; at < parent.end;) {
        if (!ReadNode(in, at, parent.end, child))
            return false;
        if (KeyIs(in, child, name))
            return true;
        at = Align4(child.end);
    }
    return false;
}

std::vector<std::string> PathComponents(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : path + '\\') {
        if (c != '\\') {
            part += c;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    return parts;
}

// PE layout: the section that holds an RVA, as a file offset of count bytes.
bool RvaToOffset(const Reader& in, std::uint64_t sections, std::uint32_t count, std::uint32_t rva,
                 std::uint32_t bytes, std::uint64_t& offset) {
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t section = sections + 40ull * i;
        std::uint32_t virtualAddress = 0, rawSize = 0, rawPointer = 0;
        if (!in.U32(section + 12, virtualAddress) || !in.U32(section + 16, rawSize) ||
            !in.U32(section + 20, rawPointer))
            return false;
        if (rva < virtualAddress || std::uint64_t{rva} - virtualAddress >= rawSize)
            continue;
        const std::uint64_t delta = std::uint64_t{rva} - virtualAddress;
        if (delta + bytes > rawSize || !in.Has(rawPointer + delta, bytes))
            return false;
        offset = rawPointer + delta;
        return true;
    }
    return false;
}

// The entry of a resource directory with the given id (any: the first entry); its offset.
bool ResourceEntry(const Reader& in, std::uint64_t root, std::uint64_t directory, bool any,
                   std::uint32_t id, bool wantDirectory, std::uint64_t& found) {
    std::uint32_t named = 0, ids = 0;
    if (!in.U16(directory + 12, named) || !in.U16(directory + 14, ids))
        return false;
    for (std::uint32_t i = 0; i < named + ids; ++i) {
        std::uint32_t name = 0, target = 0;
        if (!in.U32(directory + 16 + 8ull * i, name) || !in.U32(directory + 20 + 8ull * i, target))
            return false;
        if (!any && ((name & 0x80000000u) || name != id))
            continue;
        if (((target & 0x80000000u) != 0) != wantDirectory)
            return false;
        found = root + (target & 0x7FFFFFFFu);
        return true;
    }
    return false;
}
} // namespace

const char* const kNoVersionData = "< No Data Available >";
const char* const kVersionQueryFailed = "Error retrieving version info";
const char* const kNoVersionInfo = "No Version Info";

std::string VersionResourceKeyOf(TVersionResources resource) {
    return NamesOf(resource).key;
}

std::string InfoPrefixOf(TVersionResources resource) {
    return NamesOf(resource).prefix;
}

std::string VersionQueryPath(const std::string& langCharset, const std::string& key) {
    return "\\\\StringFileInfo\\\\" + langCharset + "\\\\" + key;
}

std::string VersionValueOf(const VersionQueryResult& query) {
    if (!query.found)
        return kVersionQueryFailed;
    if (query.length < 2)
        return kNoVersionInfo;
    return query.text;
}

VersionQueryResult QueryVersionBlock(const std::string& block, const std::string& path) {
    const Reader in(block);
    VersionQueryResult result;
    Node node;
    if (!ReadNode(in, 0, in.size(), node))
        return result;
    for (const std::string& part : PathComponents(path)) {
        Node child;
        if (!FindChild(in, node, part, child))
            return result;
        node = child;
    }
    result.found = true;
    result.length = node.valueLength;
    // Text values count UTF-16 units, binary ones bytes; neither may pass the node's end.
    const std::uint64_t unit = node.type ? 2 : 1;
    const std::uint64_t room = node.end > node.value ? (node.end - node.value) / unit : 0;
    const std::uint64_t count = node.valueLength < room ? node.valueLength : room;
    for (std::uint64_t i = 0; i < count; ++i) {
        std::uint32_t value = 0;
        if (unit == 2)
            in.U16(node.value + 2 * i, value);
        else
            value = static_cast<unsigned char>(block[static_cast<std::size_t>(node.value + i)]);
        if (value == 0)
            break;
        result.text += unit == 2 ? ToAnsi(value) : static_cast<char>(value);
    }
    return result;
}

std::string VersionResourceOfPe(const std::string& peFile) {
    const Reader in(peFile);
    std::uint32_t peOffset = 0, signature = 0, sectionCount = 0, optionalSize = 0, magic = 0;
    if (peFile.compare(0, 2, "MZ") != 0 || !in.U32(0x3C, peOffset) ||
        !in.U32(peOffset, signature) || signature != 0x00004550u)
        return std::string();
    const std::uint64_t coff = std::uint64_t{peOffset} + 4;
    const std::uint64_t optional = coff + 20;
    if (!in.U16(coff + 2, sectionCount) || !in.U16(coff + 16, optionalSize) ||
        !in.U16(optional, magic))
        return std::string();
    const std::uint64_t directories = optional + (magic == 0x20B ? 112 : 96);
    const std::uint64_t countField = optional + (magic == 0x20B ? 108 : 92);
    std::uint32_t directoryCount = 0, resourceRva = 0;
    if ((magic != 0x10B && magic != 0x20B) || !in.U32(countField, directoryCount) ||
        directoryCount < 3 || directories + 24 > optional + optionalSize ||
        !in.U32(directories + 16, resourceRva) || resourceRva == 0)
        return std::string();
    const std::uint64_t sections = optional + optionalSize;
    std::uint64_t root = 0, types = 0, names = 0, data = 0, offset = 0;
    std::uint32_t dataRva = 0, dataSize = 0;
    // RT_VERSION, then VS_VERSION_INFO (1), then the first language.
    if (!RvaToOffset(in, sections, sectionCount, resourceRva, 16, root) ||
        !ResourceEntry(in, root, root, false, 16, true, types) ||
        !ResourceEntry(in, root, types, false, 1, true, names) ||
        !ResourceEntry(in, root, names, true, 0, false, data) || !in.U32(data, dataRva) ||
        !in.U32(data + 4, dataSize) ||
        !RvaToOffset(in, sections, sectionCount, dataRva, dataSize, offset))
        return std::string();
    return peFile.substr(static_cast<std::size_t>(offset), dataSize);
}

std::string VersionValueOfPe(const std::string& peFile, const std::string& langCharset,
                             const std::string& key) {
    const std::string block = VersionResourceOfPe(peFile);
    if (block.empty())
        return kNoVersionData;
    return VersionValueOf(QueryVersionBlock(block, VersionQueryPath(langCharset, key)));
}

VersionLabelProps::VersionLabelProps() {
    SetShowInfoPrefix(true);
    SetLangCharset("080904E4");
    SetVersionResource(vrFileVersion);
}

void VersionLabelProps::SetVersionResource(TVersionResources resource) {
    resource_ = resource;
    SetVersionResourceKey(VersionResourceKeyOf(resource));
    SetInfoPrefix(InfoPrefixOf(resource));
}

void VersionLabelProps::SetVersionResourceKey(const std::string& key) {
    if (key == key_)
        return;
    key_ = key;
    SetInfoPrefix(key);
}

void VersionLabelProps::SetInfoPrefix(const std::string& prefix) {
    if (prefix == prefix_)
        return;
    prefix_ = prefix;
    Refresh();
}

void VersionLabelProps::SetShowInfoPrefix(bool show) {
    if (show == showPrefix_)
        return;
    showPrefix_ = show;
    Refresh();
}

void VersionLabelProps::SetLangCharset(const std::string& langCharset) {
    langCharset_ = langCharset;
}

std::string VersionLabelProps::Decorate(const std::string& value) const {
    return showPrefix_ ? prefix_ + " " + value : value;
}
