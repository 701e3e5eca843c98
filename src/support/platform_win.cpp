// The core's OS primitives on Windows.
#include "common/handles_win.h"
#include "common/unicode_win.h"
#include "support/platform.h"
#include "common/winerror_win.h"

#include <algorithm>

namespace {
[[noreturn]] void Raise(const char* what, const std::string& path) {
    throw FileError(std::string(what) + " " + path + ". " + WinErrorText(GetLastError()));
}

UniqueFile Open(const std::string& path, DWORD access, DWORD disposition) {
    return UniqueFile(CreateFileW(Widen(path).c_str(), access, FILE_SHARE_READ, nullptr,
                                  disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void WriteAll(HANDLE file, const std::string& data, const std::string& path) {
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 20));
        if (!WriteFile(file, data.data() + done, chunk, &written, nullptr) || written == 0)
            Raise("Cannot write file", path);
        done += written;
    }
}
} // namespace

namespace platform {

std::string ReadFileHead(const std::string& path, std::size_t most) {
    UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string head(most, '\0');
    DWORD got = 0;
    if (!file || !ReadFile(file.get(), &head[0], static_cast<DWORD>(most), &got, nullptr))
        return {};
    head.resize(got);
    return head;
}

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return -1;
    return static_cast<long long>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) |
                                  data.nFileSizeLow);
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadWholeFile(const std::string& path) {
    UniqueFile file = Open(path, GENERIC_READ, OPEN_EXISTING);
    if (!file)
        Raise("Cannot open file", path);
    std::string data;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0)
        data.reserve(static_cast<std::size_t>(size.QuadPart));
    char buffer[65536];
    DWORD n = 0;
    while (true) {
        if (!ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr))
            Raise("Cannot read file", path);
        if (n == 0)
            break;
        data.append(buffer, n);
    }
    return data;
}

void WriteWholeFile(const std::string& path, const std::string& data) {
    UniqueFile file = Open(path, GENERIC_WRITE, CREATE_ALWAYS);
    if (!file)
        Raise("Cannot create file", path);
    WriteAll(file.get(), data, path);
    if (!CloseHandle(file.release()))
        Raise("Cannot close file", path);
}

void AppendToFile(const std::string& path, const std::string& data) {
    UniqueFile file = Open(path, FILE_APPEND_DATA, OPEN_ALWAYS);
    if (!file)
        Raise("Cannot open file", path);
    WriteAll(file.get(), data, path);
    if (!CloseHandle(file.release()))
        Raise("Cannot close file", path);
}

bool DeleteFileAt(const std::string& path) {
    return DeleteFileW(Widen(path).c_str()) != 0;
}

bool OverwriteInPlace(const std::string& path, const std::string& fill, long long most) {
    // OPEN_EXISTING: never truncated, never created.
    UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    LARGE_INTEGER size = {};
    long long left = GetFileSizeEx(file.get(), &size) ? std::min(size.QuadPart, most) : 0;
    while (left > 0 && !fill.empty()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<long long>(left, static_cast<long long>(fill.size())));
        DWORD written = 0;
        if (!WriteFile(file.get(), fill.data(), chunk, &written, nullptr) || written == 0)
            break;
        left -= written;
    }
    FlushFileBuffers(file.get());
    return true;
}

std::string LogTimestamp() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char date[128] = "", time[128] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, time, sizeof time);
    return std::string(date) + " " + time;
}

void RequestQuit() {
    PostQuitMessage(0);
}

} // namespace platform
