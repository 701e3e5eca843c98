// The core's OS primitives on Windows.
#include "common/handles_win.h"
#include "support/platform.h"
#include "common/winerror_win.h"

namespace {
[[noreturn]] void Raise(const char* what, const std::string& path) {
    throw FileError(std::string(what) + " " + path + ". " + WinErrorText(GetLastError()));
}

UniqueFile Open(const std::string& path, DWORD access, DWORD disposition) {
    return UniqueFile(CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
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

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
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
    return DeleteFileA(path.c_str()) != 0;
}

void OverwriteAndFlush(const std::string& path, const std::string& data) {
    // _lcreat: create or truncate with normal attributes.
    const HFILE file = _lcreat(path.c_str(), 0);
    if (file == HFILE_ERROR)
        return;
    if (!data.empty())
        _lwrite(file, data.data(), static_cast<UINT>(data.size()));
    FlushFileBuffers(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(file)));
    _lclose(file);
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
