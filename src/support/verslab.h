// The version label: one string of an executable's version resource, optionally behind a
// prefix. The rules of its properties and the reading of version resources live here; the
// label control itself is in verslab_win.h.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

enum TVersionResources {
    vrCompanyName,
    vrFileDescription,
    vrFileVersion,
    vrInternalName,
    vrLegalCopyright,
    vrOriginalFilename,
    vrProductName,
    vrProductVersion,
    vrComments,
};

std::string VersionResourceKeyOf(TVersionResources resource); // "FileVersion", ...
std::string InfoPrefixOf(TVersionResources resource);         // "File Version:", ...

// The texts that stand in for the value.
extern const char* const kNoVersionData;      // "< No Data Available >": no version resource
extern const char* const kVersionQueryFailed; // "Error retrieving version info": no such string
extern const char* const kNoVersionInfo;      // "No Version Info": an empty string

// "\\StringFileInfo\\" + block + "\\" + key; the query skips the empty path components.
std::string VersionQueryPath(const std::string& langCharset, const std::string& key);

// What a query of the version information gave: found or not, the string and its length in
// characters as the resource gives it (the terminating NUL included).
struct VersionQueryResult {
    bool found = false;
    std::string text;
    std::size_t length = 0;
};
// The value, or the failure text for a query that failed or gave less than 2 characters.
std::string VersionValueOf(const VersionQueryResult& query);

// Looks a path up in the bytes of a VS_VERSIONINFO block (32-bit, UTF-16 keys and values) as
// VerQueryValueA does: components without letter case, empty ones skipped, text values turned
// into code page 1252. Bounds-checked: malformed input just finds nothing.
VersionQueryResult QueryVersionBlock(const std::string& block, const std::string& path);
// The VS_VERSIONINFO resource (type 16, name 1, first language) of a PE file's bytes; empty when
// the file is no PE file or has none.
std::string VersionResourceOfPe(const std::string& peFile);
// The string under block langCharset and key of a PE file's bytes, or one of the three texts.
std::string VersionValueOfPe(const std::string& peFile, const std::string& langCharset,
                             const std::string& key);

// The label's own properties and their setters. onRefresh is called where the caption has to
// be computed again (caption := GetInfo).
class VersionLabelProps {
  public:
    VersionLabelProps(); // ShowInfoPrefix true, "080904E4", vrFileVersion

    TVersionResources VersionResource() const { return resource_; }
    const std::string& VersionResourceKey() const { return key_; }
    const std::string& InfoPrefix() const { return prefix_; }
    bool ShowInfoPrefix() const { return showPrefix_; }
    const std::string& LangCharset() const { return langCharset_; }

    void SetVersionResource(TVersionResources resource); // also sets key, then prefix
    void SetVersionResourceKey(const std::string& key);  // a new key also becomes the prefix
    void SetInfoPrefix(const std::string& prefix);
    void SetShowInfoPrefix(bool show);
    void SetLangCharset(const std::string& langCharset); // no refresh

    // The value behind the prefix and one blank when ShowInfoPrefix holds.
    std::string Decorate(const std::string& value) const;

    std::function<void()> onRefresh;

  private:
    void Refresh() {
        if (onRefresh)
            onRefresh();
    }
    TVersionResources resource_ = vrCompanyName;
    std::string key_;
    std::string prefix_;
    bool showPrefix_ = false;
    std::string langCharset_;
};
