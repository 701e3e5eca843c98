// The few primitives the portable core needs from the operating system. Each is defined twice:
// in a *_win.cpp file for Windows and in a *_posix.cpp file for the native test build.
#pragma once

#include <stdexcept>
#include <string>

// A file that could not be opened, read, written or closed; what() is the system's error text.
class FileError : public std::runtime_error {
  public:
    explicit FileError(const std::string& message) : std::runtime_error(message) {}
};

namespace platform {

bool FileExists(const std::string& path);                              // a file, not a folder
std::string ReadWholeFile(const std::string& path);                    // throws FileError
std::string ReadFileHead(const std::string& path, std::size_t most);   // "" when unreadable
void WriteWholeFile(const std::string& path, const std::string& data); // create/truncate; throws
void AppendToFile(const std::string& path, const std::string& data);   // create if missing; throws
bool DeleteFileAt(const std::string& path);
long long FileSize(const std::string& path); // -1 when there is no such file
// A wipe's pass: the file's own bytes, up to `most` of them, overwritten in place with `fill`
// repeated (never truncated, so the file system writes over the same blocks where it can),
// flushed to disk. False when the file could not be opened for writing.
bool OverwriteInPlace(const std::string& path, const std::string& fill, long long most);

// "date time" for a log line: the user's short date and long time formats where the system has
// regional settings.
std::string LogTimestamp();

// Ends the message loop the next time control returns to it.
void RequestQuit();

} // namespace platform
