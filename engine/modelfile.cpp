#include "modelfile.h"

#include <string>

namespace hueforge {

FileHandle OpenFile(const std::filesystem::path &path, const char *mode)
{
    // Only plain files: a folder, or a device that never ends such as /dev/zero, is no
    // model and would stall the scan.
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (path.empty() ||
        (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)))
        return nullptr;
#ifdef _WIN32
    const std::string narrow(mode);
    const std::wstring wideMode(narrow.begin(), narrow.end());
    return FileHandle(_wfopen(path.c_str(), wideMode.c_str()));
#else
    return FileHandle(std::fopen(path.c_str(), mode));
#endif
}

} // namespace hueforge
