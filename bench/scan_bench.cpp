// Scan of a realistic 64 MiB model beside a plain buffered read of the same file.
#include "modelgen.h"
#include "modelscanner.h"
#include "tagsearch.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

constexpr std::size_t ModelBytes = 64u << 20;

class QuietHost : public hueforge::ScanHost {
public:
    void ClearMaterialList() override {}
    void ClearTextureList() override {}
    void AppendTextureName(std::string_view) override {}
    void RefreshMaterialList() override {}
    void SetSaveEnabled(bool) override {}
    void ShowScanError(std::string_view) override {}
};

const std::filesystem::path &ModelPath()
{
    static const std::filesystem::path path = [] {
        auto p = std::filesystem::temp_directory_path() / "hueforge-bench-64m.mdl";
        const auto model =
            hueforge::sample::GenerateModel(hueforge::sample::LargeModelLayout(ModelBytes));
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char *>(model.bytes.data()),
                   std::streamsize(model.bytes.size()));
        return p;
    }();
    return path;
}

// The argument picks the tag search: 0 plain, 1 SSE2, 2 AVX2.
void ScanFile(benchmark::State &state)
{
    if (!hueforge::UseTagSearch(hueforge::TagSearchKind(state.range(0)))) {
        state.SkipWithError("this processor lacks that search");
        return;
    }
    auto materials = std::make_unique<hueforge::MaterialTable>();
    auto textures = std::make_unique<hueforge::TextureNameTable>();
    QuietHost host;
    const auto size = std::filesystem::file_size(ModelPath());
    for (auto _ : state) {
        const auto outcome = hueforge::ScanModelFile(ModelPath(), *materials, *textures, host);
        if (outcome != hueforge::ScanOutcome::Scanned || materials->MaterialCount != 160)
            state.SkipWithError("scan did not find the model's materials");
        benchmark::DoNotOptimize(materials->MaterialCount);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * size));
}

void ScanMemory(benchmark::State &state)
{
    if (!hueforge::UseTagSearch(hueforge::TagSearchKind(state.range(0)))) {
        state.SkipWithError("this processor lacks that search");
        return;
    }
    const auto model =
        hueforge::sample::GenerateModel(hueforge::sample::LargeModelLayout(ModelBytes));
    auto materials = std::make_unique<hueforge::MaterialTable>();
    auto textures = std::make_unique<hueforge::TextureNameTable>();
    QuietHost host;
    for (auto _ : state) {
        hueforge::ScanModelBytes(model.bytes, *materials, *textures, host);
        benchmark::DoNotOptimize(materials->MaterialCount);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * model.bytes.size()));
}

void PlainRead(benchmark::State &state)
{
    std::array<char, 64 * 1024> buffer;
    const auto size = std::filesystem::file_size(ModelPath());
    for (auto _ : state) {
        std::FILE *file = std::fopen(ModelPath().c_str(), "rb");
        std::setvbuf(file, nullptr, _IONBF, 0);
        std::size_t total = 0, got;
        while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
            total += got;
        std::fclose(file);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * size));
}

BENCHMARK(PlainRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(ScanFile)->Unit(benchmark::kMillisecond)->MinTime(2.0)->Arg(2)->Arg(1)->Arg(0);
BENCHMARK(ScanMemory)->Unit(benchmark::kMillisecond)->MinTime(2.0)->Arg(2)->Arg(1)->Arg(0);

} // namespace

BENCHMARK_MAIN();
