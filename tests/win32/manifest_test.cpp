// The manifest the program carries must suit both builds: a 64-bit program whose manifest asks
// for the x86 common controls does not start on Windows (side-by-side error).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::string OwnManifest() {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)); // RT_MANIFEST
    if (!found)
        return {};
    HGLOBAL loaded = LoadResource(nullptr, found);
    const char* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return text ? std::string(text, SizeofResource(nullptr, found)) : std::string();
}

TEST(Manifest, NamesNoProcessorOtherThanAny) {
    const std::string manifest = OwnManifest();
    ASSERT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos) << manifest;
    size_t count = 0;
    for (size_t at = manifest.find("processorArchitecture=\""); at != std::string::npos;
         at = manifest.find("processorArchitecture=\"", at + 1)) {
        EXPECT_EQ(manifest.compare(at, 25, "processorArchitecture=\"*\""), 0)
            << manifest.substr(at, 40);
        ++count;
    }
    EXPECT_EQ(count, 2u);
}

// Per-monitor awareness (version 2) where Windows has it, the system's dpi before that: the
// windows lay themselves out for the dpi they are shown at, so Windows must not stretch them.
TEST(Manifest, DeclaresPerMonitorAwarenessWithAFallback) {
    const std::string manifest = OwnManifest();
    EXPECT_NE(manifest.find("2016/WindowsSettings\">PerMonitorV2</dpiAwareness>"),
              std::string::npos)
        << manifest;
    EXPECT_NE(manifest.find("2005/WindowsSettings\">true</dpiAware>"), std::string::npos)
        << manifest;
}

// Windows 7 to 11 declared: without them Windows tells the program it runs on Windows 8.
TEST(Manifest, DeclaresTheWindowsVersionsItRunsOn) {
    const std::string manifest = OwnManifest();
    for (const char* id : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a",  // 7
                           "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",  // 8
                           "1f676c76-80e1-4239-95bb-83d0f6d0da78",  // 8.1
                           "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) // 10 and 11
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"{") + id + "}\"/>"),
                  std::string::npos)
            << id;
}

} // namespace
