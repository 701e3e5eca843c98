// A Windows program in gpg's place: much on standard error before it reads anything, then its
// standard input copied to standard output piece by piece, with status lines about it. A runner
// that serves one stream at a time, or passes Unix transports to Windows programs, hangs or
// loses data with it.
#include <windows.h>

#include <string>

namespace {

void Put(HANDLE handle, const std::string& text) {
    DWORD written = 0;
    for (std::size_t done = 0; done < text.size(); done += written)
        if (!WriteFile(handle, text.data() + done, static_cast<DWORD>(text.size() - done), &written,
                       nullptr))
            ExitProcess(2);
}

} // namespace

int main() {
    const HANDLE in = GetStdHandle(STD_INPUT_HANDLE), out = GetStdHandle(STD_OUTPUT_HANDLE),
                 err = GetStdHandle(STD_ERROR_HANDLE);
    Put(err, "[GNUPG:] STANDIN " + std::string(GetCommandLineA()) + "\n");
    for (int i = 0; i < 20000; ++i)
        Put(err, "gpg: a long log before the input is read\n");
    char buffer[4096];
    DWORD got = 0;
    unsigned long total = 0;
    while (ReadFile(in, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        Put(out, std::string(buffer, got));
        total += got;
    }
    Put(err, "[GNUPG:] COPIED " + std::to_string(total) + "\n");
    return 0;
}
