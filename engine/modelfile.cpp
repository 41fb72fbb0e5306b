#include "modelfile.h"

#include <string>

namespace hueforge {

FileHandle OpenFile(const std::filesystem::path &path, const char *mode)
{
    std::error_code ignored;
    if (path.empty() || std::filesystem::is_directory(path, ignored))
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
