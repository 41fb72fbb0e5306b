#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>

namespace hueforge {

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opens a plain file with an fopen mode; the path is passed natively, so any file name
// works on Windows as well. Returns null when the file cannot be opened or is not a plain
// file (a folder, a device, a pipe).
FileHandle OpenFile(const std::filesystem::path &path, const char *mode);

} // namespace hueforge
