// The core's OS primitives on POSIX, for the native test build.
#include "support/msgbox.h"
#include "support/platform.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
[[noreturn]] void Raise(const std::string& path) {
    throw FileError(std::strerror(errno) + std::string(" (") + path + ")");
}

void WriteWithMode(const std::string& path, const std::string& data, const char* mode) {
    std::FILE* f = std::fopen(path.c_str(), mode);
    if (!f)
        Raise(path);
    const bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    const int saved = errno;
    if (std::fclose(f) != 0 || !ok) {
        errno = ok ? errno : saved;
        Raise(path);
    }
}

int quitRequests = 0;
} // namespace

namespace platform {

std::string ReadFileHead(const std::string& path, std::size_t most) {
    std::string head(most, '\0');
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return {};
    head.resize(std::fread(&head[0], 1, most, f));
    std::fclose(f);
    return head;
}

long long FileSize(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? static_cast<long long>(st.st_size)
                                                               : -1;
}

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ReadWholeFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        Raise(path);
    std::string data;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        data.append(buffer, n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        Raise(path);
    return data;
}

void WriteWholeFile(const std::string& path, const std::string& data) {
    WriteWithMode(path, data, "wb");
}

void AppendToFile(const std::string& path, const std::string& data) {
    WriteWithMode(path, data, "ab");
}

bool DeleteFileAt(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool OverwriteInPlace(const std::string& path, const std::string& fill, long long most) {
    const int fd = ::open(path.c_str(), O_WRONLY);
    if (fd < 0)
        return false;
    struct stat st;
    long long left = ::fstat(fd, &st) == 0 ? std::min<long long>(st.st_size, most) : 0;
    while (left > 0 && !fill.empty()) {
        const std::size_t chunk = static_cast<std::size_t>(
            std::min<long long>(left, static_cast<long long>(fill.size())));
        const ssize_t n = ::write(fd, fill.data(), chunk);
        if (n <= 0)
            break;
        left -= n;
    }
    ::fsync(fd);
    ::close(fd);
    return true;
}

std::string LogTimestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%d/%m/%Y %H:%M:%S", &local);
    return text;
}

void RequestQuit() {
    ++quitRequests;
}

int ShowSystemMessageBox(const MsgBoxRequest& request) {
    // No desktop here: say what would have been shown and take the first button offered.
    std::fprintf(stderr, "[%s] %s\n", request.caption.c_str(), request.text.c_str());
    static const struct {
        unsigned button;
        int result;
    } order[] = {{mbOK, mrOk},         {mbYes, mrYes},       {mbAbort, mrAbort}, {mbRetry, mrRetry},
                 {mbCancel, mrCancel}, {mbIgnore, mrIgnore}, {mbNo, mrNo}};
    for (const auto& o : order)
        if (request.buttons & o.button)
            return o.result;
    return mrNone;
}

} // namespace platform
