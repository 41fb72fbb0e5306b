// hueforge-list: prints what the editor's material list would show for a model file.
#include "materiallines.h"
#include "modelscanner.h"

#include <charconv>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int ExitScanned = 0;
constexpr int ExitNotOpened = 1;
constexpr int ExitScanFailed = 2;
constexpr int ExitUsage = 64;

constexpr std::string_view Usage =
    "usage: hueforge-list [--show N] [--filter N] [--textures] FILE\n"
    "  --show N     0 Diffuse (default), 1 Specular, 2 Specularity\n"
    "  --filter N   file dialog filter: 1 (default), 2 gives OBJ, 3\n"
    "  --textures   print the texture names instead\n";

struct Options {
    int show = 0;
    int filter = 1;
    bool textures = false;
    std::string file;
};

bool ParseChoice(std::string_view text, int low, int high, int &value)
{
    const auto *end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && ptr == end && value >= low && value <= high;
}

bool ParseArguments(int argc, char **argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--textures") {
            options.textures = true;
        } else if (arg == "--show" || arg == "--filter") {
            if (++i == argc)
                return false;
            const bool ok = arg == "--show" ? ParseChoice(argv[i], 0, 2, options.show)
                                            : ParseChoice(argv[i], 1, 3, options.filter);
            if (!ok)
                return false;
        } else if (arg.starts_with("--") || !options.file.empty()) {
            return false;
        } else {
            options.file = arg;
        }
    }
    return !options.file.empty();
}

class ListHost : public hueforge::ScanHost {
public:
    ListHost(const Options &options, const hueforge::MaterialTable &materials)
        : options_(options), materials_(materials)
    {
    }

    std::vector<std::string> textureNames;
    std::vector<std::string> lines;
    std::string status;
    bool failed = false;

    void ClearMaterialList() override { lines.clear(); }
    void ClearTextureList() override { textureNames.clear(); }
    void AppendTextureName(std::string_view name) override { textureNames.emplace_back(name); }
    void RefreshMaterialList() override
    {
        lines.clear();
        for (int i = 0; i < materials_.MaterialCount; ++i)
            lines.push_back(
                hueforge::FormatMaterialLine(hueforge::LinePrefix(options_.filter), options_.show,
                                             materials_.Entries[std::size_t(i)], i + 1));
        status = hueforge::MaterialCountText(materials_.MaterialCount);
    }
    void SetSaveEnabled(bool) override {}
    void ShowScanError(std::string_view) override { failed = true; }

private:
    const Options &options_;
    const hueforge::MaterialTable &materials_;
};

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!ParseArguments(argc, argv, options)) {
        std::cerr << Usage;
        return ExitUsage;
    }

    auto materials = std::make_unique<hueforge::MaterialTable>();
    auto textures = std::make_unique<hueforge::TextureNameTable>();
    ListHost host(options, *materials);
    switch (hueforge::ScanModelFile(options.file, *materials, *textures, host)) {
    case hueforge::ScanOutcome::NotOpened:
        std::cerr << "hueforge-list: cannot open '" << options.file << "'\n";
        return ExitNotOpened;
    case hueforge::ScanOutcome::Failed:
        std::cerr << hueforge::ScanErrorMessage << '\n';
        return ExitScanFailed;
    case hueforge::ScanOutcome::Scanned:
        break;
    }

    if (options.textures) {
        for (const auto &name : host.textureNames)
            std::cout << name << '\n';
    } else {
        std::cout << host.status << '\n';
        for (const auto &line : host.lines)
            std::cout << line << '\n';
    }
    std::cout.flush();
    return std::cout ? ExitScanned : ExitScanFailed;
}
