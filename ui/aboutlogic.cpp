#include "aboutlogic.h"

#include <charconv>
#include <system_error>

namespace hueforge {

namespace fs = std::filesystem;

const std::array<CompanionLibrary, 9> CompanionLibraries = {{
    {"cvkit.so", "cvkit.so\n\nCore toolkit shared by every Corvane Graphics program:\n"
                 "file access, settings and error reporting."},
    {"cvmdl.so", "cvmdl.so\n\nReads and writes the parts of aircraft model files."},
    {"cvtexture.so", "cvtexture.so\n\nLoads, converts and previews aircraft textures,\n"
                     "including their mipmaps and alpha channels."},
    {"cvpaint.so", "cvpaint.so\n\nDrawing surface and colour tools used by the paint kits."},
    {"cvbgl.so", "cvbgl.so\n\nReads the sections of scenery files."},
    {"cvgauges.so",
     "cvgauges.so\n\nDraws and animates the instrument gauges\nof the panel designer."},
    {"cvsound.so", "cvsound.so\n\nPlays and mixes the engine and cockpit sounds."},
    {"cvmath.so", "cvmath.so\n\nVector, matrix and colour arithmetic\nshared by the model tools."},
    {"cvscenery.so", "cvscenery.so\n\nPlaces objects and builds the scenery libraries\n"
                     "of the scenery designer."},
}};

FixedVersionInfo MakeProductVersion(std::uint16_t major, std::uint16_t minor, std::uint16_t release,
                                    std::uint16_t build)
{
    return {(std::uint32_t(major) << 16) | minor, (std::uint32_t(release) << 16) | build};
}

std::string VersionText(const FixedVersionInfo &info)
{
    return std::to_string(info.ProductVersionMS >> 16) + ".00." +
           std::to_string(static_cast<std::int32_t>(info.ProductVersionLS));
}

std::string LibraryLine(std::string_view fileName, const std::optional<FixedVersionInfo> &version)
{
    constexpr std::size_t NameColumn = 12;
    std::string line(fileName);
    if (line.size() < NameColumn)
        line.append(NameColumn - line.size(), ' ');
    line += " -   ";
    line += version ? VersionText(*version) : "Not found";
    return line;
}

void AddLibraryLine(LibraryRows &rows, const CompanionLibrary &library,
                    const std::optional<FixedVersionInfo> &version)
{
    rows.Lines.push_back(LibraryLine(library.FileName, version));
    rows.Descriptions.emplace_back(library.Description);
}

std::optional<FixedVersionInfo> VersionFromFileName(std::string_view fileName)
{
    std::uint16_t parts[4] = {};
    std::string_view rest = fileName;
    for (int i = 3; i >= 0; --i) {
        const auto dot = rest.find_last_of('.');
        if (dot == std::string_view::npos)
            return std::nullopt;
        const std::string_view digits = rest.substr(dot + 1);
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), parts[i]);
        if (error != std::errc() || end != digits.data() + digits.size())
            return std::nullopt;
        rest = rest.substr(0, dot);
    }
    if (rest.empty())
        return std::nullopt;
    return MakeProductVersion(parts[0], parts[1], parts[2], parts[3]);
}

std::optional<FixedVersionInfo> ReadFileVersion(const fs::path &file)
{
    std::error_code error;
    const fs::path resolved = fs::canonical(file, error);
    if (error || !fs::is_regular_file(resolved, error))
        return std::nullopt;
    return VersionFromFileName(resolved.filename().string());
}

std::vector<fs::path> LibrarySearchFolders(const fs::path &programFolder,
                                           std::string_view ldLibraryPath)
{
    std::vector<fs::path> folders{programFolder};
    while (!ldLibraryPath.empty()) {
        const auto separator = ldLibraryPath.find_first_of(":;");
        const std::string_view entry = ldLibraryPath.substr(0, separator);
        if (!entry.empty())
            folders.emplace_back(entry);
        if (separator == std::string_view::npos)
            break;
        ldLibraryPath.remove_prefix(separator + 1);
    }
    folders.emplace_back("/lib");
    folders.emplace_back("/usr/lib");
#if defined(__x86_64__)
    constexpr const char *multiarch = "x86_64-linux-gnu";
#elif defined(__aarch64__)
    constexpr const char *multiarch = "aarch64-linux-gnu";
#elif defined(__i386__)
    constexpr const char *multiarch = "i386-linux-gnu";
#elif defined(__arm__)
    constexpr const char *multiarch = "arm-linux-gnueabihf";
#else
    constexpr const char *multiarch = nullptr;
#endif
    if (multiarch) {
        folders.push_back(fs::path("/lib") / multiarch);
        folders.push_back(fs::path("/usr/lib") / multiarch);
    }
    return folders;
}

std::optional<FixedVersionInfo> FindLibraryVersion(std::string_view name,
                                                   const std::vector<fs::path> &folders)
{
    if (name.empty())
        return std::nullopt;
    if (name.find('/') != std::string_view::npos)
        return ReadFileVersion(fs::path(name));
    for (const fs::path &folder : folders) {
        std::error_code error;
        const fs::path candidate = folder / name;
        if (fs::is_regular_file(candidate, error))
            return ReadFileVersion(candidate);
    }
    return std::nullopt;
}

} // namespace hueforge
