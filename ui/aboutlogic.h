#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hueforge {

// The product version of a file's fixed version information: the most significant word holds
// major and minor, the least significant one the third and fourth part (16 bits each).
struct FixedVersionInfo {
    std::uint32_t ProductVersionMS = 0;
    std::uint32_t ProductVersionLS = 0;
};

FixedVersionInfo MakeProductVersion(std::uint16_t major, std::uint16_t minor, std::uint16_t release,
                                    std::uint16_t build);

// Major version, ".00.", then the least significant word as a signed 32-bit number:
// 2.0.0.7 gives "2.00.7", 3.0.1.2 gives "3.00.65538". The minor version is not shown.
std::string VersionText(const FixedVersionInfo &info);

struct CompanionLibrary {
    std::string_view FileName; // bare, at most 12 characters
    std::string_view Description;
};

extern const std::array<CompanionLibrary, 9> CompanionLibraries;

inline constexpr std::string_view MakerWebsite = "https://corvane.example.com/";
inline constexpr std::string_view MakerEmail = "contact@corvane.example.com";

// The library list: line i of Lines has its description at index i of Descriptions.
struct LibraryRows {
    std::vector<std::string> Lines;
    std::vector<std::string> Descriptions;
};

// The file name padded with blanks to 12 characters, " -   ", then the version text or
// "Not found".
std::string LibraryLine(std::string_view fileName, const std::optional<FixedVersionInfo> &version);

void AddLibraryLine(LibraryRows &rows, const CompanionLibrary &library,
                    const std::optional<FixedVersionInfo> &version);

// A version written as the last four dot-separated numbers of a file name
// ("cvkit.so.2.0.0.7"); none when the name does not end that way or a part exceeds 16 bits.
std::optional<FixedVersionInfo> VersionFromFileName(std::string_view fileName);

// The version of a file found by path: the name of the file it resolves to through symlinks.
// None when the file is missing or its resolved name carries no version.
std::optional<FixedVersionInfo> ReadFileVersion(const std::filesystem::path &file);

// Where the dynamic loader looks for a bare library name: the program's folder, each folder
// of LD_LIBRARY_PATH (':' or ';' separated, empty entries skipped), then the system folders.
std::vector<std::filesystem::path> LibrarySearchFolders(const std::filesystem::path &programFolder,
                                                        std::string_view ldLibraryPath);

// The version of the first regular file called `name` in `folders`; a name with a folder is
// read directly. None when not found or when the first file found carries no version.
std::optional<FixedVersionInfo>
FindLibraryVersion(std::string_view name, const std::vector<std::filesystem::path> &folders);

} // namespace hueforge
