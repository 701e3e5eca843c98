#include "test_dir.h"

#include <filesystem>
#include <random>

namespace fs = std::filesystem;

TestDir::TestDir() {
    std::random_device rd;
    const fs::path p =
        fs::temp_directory_path() / ("wextor-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(p);
    path_ = p.string() + static_cast<char>(fs::path::preferred_separator);
}

TestDir::~TestDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}
