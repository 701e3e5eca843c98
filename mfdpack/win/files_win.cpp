#include "files_win.h"

#include "common/handles_win.h"
#include "common/unicode_win.h"

#include <algorithm>

namespace mfdpack {

namespace {

constexpr std::size_t kPiece = 1u << 20; // ReadFile and WriteFile take at most a DWORD each

} // namespace

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0)
        return false;
    std::string read(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < read.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min(read.size() - done, kPiece));
        if (!ReadFile(file.get(), &read[done], want, &got, nullptr))
            return false;
        if (got == 0)
            break; // the file became shorter meanwhile
        done += got;
    }
    read.resize(done);
    bytes = std::move(read);
    return true;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    for (std::size_t done = 0; done < bytes.size();) {
        DWORD written = 0;
        const DWORD want = static_cast<DWORD>(std::min(bytes.size() - done, kPiece));
        if (!WriteFile(file.get(), bytes.data() + done, want, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

void DeleteFileIfThere(const std::string& path) {
    DeleteFileW(Widen(path).c_str());
}

} // namespace mfdpack
