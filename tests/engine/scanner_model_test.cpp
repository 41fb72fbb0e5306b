// Compares the buffered scanner with a plain, index-based reading of the same rules on
// random files rich in tag fragments.
#include "modelscanner.h"
#include "recordinghost.h"
#include "tagsearch.h"
#include "testfiles.h"

#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace hueforge {
namespace {

using testing::Bytes;

struct ReferenceResult {
    std::vector<std::int32_t> offsets;
    std::vector<int> blocks;
    std::vector<Bytes> records;
    std::vector<std::string> names;
};

ReferenceResult ReferenceScan(const Bytes &b)
{
    ReferenceResult result;
    std::size_t i = 0;
    int block = 0;
    auto get = [&]() -> int { return i < b.size() ? b[i++] : -1; };
    auto size = [&]() -> std::int32_t {
        std::uint32_t s = 0;
        for (int k = 0; k < 4; ++k) {
            const int c = get();
            if (c < 0)
                return -1;
            s |= std::uint32_t(c) << (8 * k);
        }
        return std::int32_t(s);
    };
    for (int c; (c = get()) >= 0;) {
        if (c == 'T') {
            if (get() != 'E' || get() != 'X' || get() != 'T')
                continue;
            const std::int32_t s = size();
            result.names.clear();
            const std::size_t start = i;
            i = std::min(b.size(), s > 0 ? i + std::size_t(s) : i);
            for (std::int32_t n = 0; s > 0 && n < s / 64 && start + 64 * std::size_t(n) < i; ++n) {
                std::string name;
                for (std::size_t k = start + 64 * std::size_t(n);
                     k < std::min(i, start + 64 * std::size_t(n + 1)) && b[k]; ++k)
                    name.push_back(char(b[k]));
                result.names.push_back(name);
            }
        } else if (c == 'M') {
            if (get() != 'A' || get() != 'T' || get() != 'E')
                continue;
            const std::int32_t s = size();
            ++block;
            for (std::int32_t j = 0; j < s / 120; ++j) {
                if (i + 120 > b.size()) { // a record cut short is read but not kept
                    i = b.size();
                    break;
                }
                result.offsets.push_back(std::int32_t(i));
                result.blocks.push_back(block);
                result.records.emplace_back(b.begin() + std::ptrdiff_t(i),
                                            b.begin() + std::ptrdiff_t(i + 120));
                i += 120;
            }
        }
    }
    return result;
}

Bytes RandomModel(std::mt19937 &random)
{
    static const std::vector<std::string> fragments = {
        "TEXT", "MATE", "T",  "M",  "TE", "TEX", "MA",    "MAT",   "E",
        "X",    "A",    "TT", "MM", "TM", "MT",  "TTEXT", "MMATE", "TEXMATE"};
    std::uniform_int_distribution<int> pick(0, 9);
    Bytes bytes;
    const int pieces = std::uniform_int_distribution<int>(0, 40)(random);
    for (int p = 0; p < pieces; ++p) {
        switch (pick(random)) {
        case 0:
        case 1: { // a plausible chunk header
            const char *tag = pick(random) < 5 ? "MATE" : "TEXT";
            bytes.insert(bytes.end(), tag, tag + 4);
            const std::uint32_t size = std::uniform_int_distribution<std::uint32_t>(0, 400)(random);
            for (int k = 0; k < 4; ++k)
                bytes.push_back(std::uint8_t(size >> (8 * k)));
            break;
        }
        case 2:
        case 3: {
            const auto &f = fragments[std::size_t(pick(random)) % fragments.size()];
            bytes.insert(bytes.end(), f.begin(), f.end());
            break;
        }
        default: {
            const int n = std::uniform_int_distribution<int>(0, 150)(random);
            for (int k = 0; k < n; ++k)
                bytes.push_back(std::uint8_t(pick(random) < 2 ? 0 : 'a' + random() % 26));
        }
        }
    }
    return bytes;
}

class ScannerModel : public ::testing::TestWithParam<TagSearchKind> {
protected:
    void SetUp() override
    {
        if (!UseTagSearch(GetParam()))
            GTEST_SKIP() << "this processor lacks that search";
    }
    void TearDown() override
    {
        UseTagSearch(TagSearchKind::Avx2) || UseTagSearch(TagSearchKind::Sse2);
    }
};

TEST_P(ScannerModel, AgreesWithPlainReadingOnRandomFiles)
{
    std::mt19937 random(20261211);
    auto materials = std::make_unique<MaterialTable>();
    auto textures = std::make_unique<TextureNameTable>();
    for (int round = 0; round < 3000; ++round) {
        const Bytes bytes = RandomModel(random);
        testing::RecordingHost host;
        ASSERT_EQ(ScanModelBytes(bytes, *materials, *textures, host), ScanOutcome::Scanned);

        const ReferenceResult expected = ReferenceScan(bytes);
        ASSERT_EQ(std::size_t(materials->MaterialCount), expected.offsets.size())
            << "round " << round;
        for (std::size_t r = 0; r < expected.offsets.size(); ++r) {
            const auto &entry = materials->Entries[r];
            ASSERT_EQ(entry.FileOffset, expected.offsets[r]) << "round " << round;
            ASSERT_EQ(entry.BlockNumber, expected.blocks[r]) << "round " << round;
            ASSERT_TRUE(std::equal(expected.records[r].begin(), expected.records[r].end(),
                                   materials->Records[r].Bytes.begin()));
        }
        ASSERT_EQ(host.textureList, expected.names) << "round " << round;
    }
}

std::string SearchName(const ::testing::TestParamInfo<TagSearchKind> &info)
{
    switch (info.param) {
    case TagSearchKind::Plain:
        return "Plain";
    case TagSearchKind::Sse2:
        return "Sse2";
    case TagSearchKind::Avx2:
        return "Avx2";
    }
    return "Unknown";
}

INSTANTIATE_TEST_SUITE_P(Searches, ScannerModel,
                         ::testing::Values(TagSearchKind::Plain, TagSearchKind::Sse2,
                                           TagSearchKind::Avx2),
                         SearchName);

} // namespace
} // namespace hueforge
