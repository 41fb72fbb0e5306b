// Scans arbitrary bytes from memory and from a file, checks both agree, then marks a row
// modified and saves it back: the file must keep its length and every byte outside the row.
#include "materialwriter.h"
#include "modelscanner.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

class QuietHost : public hueforge::ScanHost {
public:
    void ClearMaterialList() override {}
    void ClearTextureList() override { names.clear(); }
    void AppendTextureName(std::string_view name) override { names.emplace_back(name); }
    void RefreshMaterialList() override {}
    void SetSaveEnabled(bool) override {}
    void ShowScanError(std::string_view) override {}
    std::vector<std::string> names;
};

const std::filesystem::path &ScratchFile()
{
    static const auto path = std::filesystem::temp_directory_path() /
                             ("hueforge-fuzz-" + std::to_string(::getpid()) + ".mdl");
    return path;
}

std::vector<std::uint8_t> ReadBack(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

auto *const memoryMaterials = new hueforge::MaterialTable;
auto *const fileMaterials = new hueforge::MaterialTable;
auto *const textures = new hueforge::TextureNameTable;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QuietHost memoryHost, fileHost;
    const auto fromMemory =
        hueforge::ScanModelBytes({data, size}, *memoryMaterials, *textures, memoryHost);

    std::ofstream(ScratchFile(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char *>(data), std::streamsize(size));
    const auto fromFile =
        hueforge::ScanModelFile(ScratchFile(), *fileMaterials, *textures, fileHost);

    if (fromMemory != fromFile || memoryMaterials->MaterialCount != fileMaterials->MaterialCount ||
        memoryHost.names != fileHost.names)
        std::abort();
    for (int i = 0; i < fileMaterials->MaterialCount; ++i) {
        const auto &a = memoryMaterials->Entries[std::size_t(i)];
        const auto &b = fileMaterials->Entries[std::size_t(i)];
        if (a.FileOffset != b.FileOffset || a.BlockNumber != b.BlockNumber ||
            memoryMaterials->Records[std::size_t(i)] != fileMaterials->Records[std::size_t(i)])
            std::abort();
        if (b.FileOffset < 0 || std::size_t(b.FileOffset) + hueforge::MaterialRecordSize > size)
            std::abort();
    }
    if (fromFile != hueforge::ScanOutcome::Scanned || fileMaterials->MaterialCount == 0)
        return 0;

    // Save one changed row back and check nothing else moved.
    const std::size_t row = size % std::size_t(fileMaterials->MaterialCount);
    auto &record = fileMaterials->Records[row];
    record.Bytes[size % hueforge::MaterialRecordSize] ^= 0x5A;
    fileMaterials->Entries[row].Modified = 1;
    if (hueforge::WriteModifiedMaterials(ScratchFile(), *fileMaterials).Status !=
        hueforge::SaveStatus::Saved)
        std::abort();

    const auto written = ReadBack(ScratchFile());
    if (written.size() != size)
        std::abort();
    const auto offset = std::size_t(fileMaterials->Entries[row].FileOffset);
    for (std::size_t i = 0; i < size; ++i) {
        const bool inRow = i >= offset && i < offset + hueforge::MaterialRecordSize;
        const std::uint8_t expected = inRow ? record.Bytes[i - offset] : data[i];
        if (written[i] != expected)
            std::abort();
    }
    return 0;
}
