#include "modelscanner.h"
#include "recordinghost.h"
#include "testfiles.h"

#include <gtest/gtest.h>
#include <memory>

namespace hueforge {
namespace {

using testing::ByteBuilder;
using testing::Bytes;
using testing::RecordingHost;

MaterialRecord NumberedRecord(std::uint8_t seed)
{
    MaterialRecord record;
    for (std::size_t i = 0; i < record.Bytes.size(); ++i)
        record.Bytes[i] = std::uint8_t(seed + i);
    return record;
}

class ScannerTest : public ::testing::Test {
protected:
    std::unique_ptr<MaterialTable> materials = std::make_unique<MaterialTable>();
    std::unique_ptr<TextureNameTable> textures = std::make_unique<TextureNameTable>();
    RecordingHost host;

    ScanOutcome Scan(const Bytes &bytes)
    {
        return ScanModelBytes(bytes, *materials, *textures, host);
    }
    std::vector<int> BlockNumbers() const
    {
        std::vector<int> blocks;
        for (int i = 0; i < materials->MaterialCount; ++i)
            blocks.push_back(materials->Entries[std::size_t(i)].BlockNumber);
        return blocks;
    }
};

struct TagCase {
    const char *name;
    Bytes bytes;
    int materials;
    std::vector<std::string> textures;
};

class TagMatcherTest : public ScannerTest, public ::testing::WithParamInterface<TagCase> {};

TEST_P(TagMatcherTest, FindsExactlyTheExpectedChunks)
{
    ASSERT_EQ(Scan(GetParam().bytes), ScanOutcome::Scanned);
    EXPECT_EQ(materials->MaterialCount, GetParam().materials);
    EXPECT_EQ(host.textureList, GetParam().textures);
}

const MaterialRecord Plain = NumberedRecord(0);

MaterialRecord RecordHoldingTag()
{
    MaterialRecord record;
    const auto fake = ByteBuilder().Chunk("MATE", 120).bytes();
    std::copy(fake.begin(), fake.end(), record.Bytes.begin() + 10);
    return record;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TagMatcherTest,
    ::testing::Values(
        TagCase{"PlainMaterial", ByteBuilder().Chunk("MATE", 120).Record(Plain).bytes(), 1, {}},
        TagCase{
            "PlainTexture", ByteBuilder().Chunk("TEXT", 64).Name("a.dds").bytes(), 0, {"a.dds"}},
        TagCase{"MaterialAfterOwnFirstLetter",
                ByteBuilder().Text("M").Chunk("MATE", 120).Record(Plain).bytes(),
                0,
                {}},
        TagCase{"TextureAfterOwnFirstLetter",
                ByteBuilder().Text("T").Chunk("TEXT", 64).Name("a.dds").bytes(),
                0,
                {}},
        TagCase{"MaterialAfterT",
                ByteBuilder().Text("T").Chunk("MATE", 120).Record(Plain).bytes(),
                0,
                {}},
        TagCase{"MaterialAfterTEX",
                ByteBuilder().Text("TEX").Chunk("MATE", 120).Record(Plain).bytes(),
                0,
                {}},
        TagCase{"MaterialAfterOtherLetters",
                ByteBuilder().Text("XYZ").Chunk("MATE", 120).Record(Plain).bytes(),
                1,
                {}},
        TagCase{"LowerCase",
                ByteBuilder().Chunk("mate", 120).Record(Plain).Chunk("text", 64).Name("a").bytes(),
                0,
                {}},
        TagCase{"TagInsideTextureName",
                ByteBuilder().Chunk("TEXT", 64).Text("MATE").U32(120).Fill(56).bytes(),
                0,
                {"MATE\x78"}},
        TagCase{"TagInsideMaterialRecord",
                ByteBuilder().Chunk("MATE", 240).Record(RecordHoldingTag()).Record(Plain).bytes(),
                2,
                {}},
        TagCase{"TagInsideOtherChunk",
                ByteBuilder().Chunk("VERT", 136).Chunk("MATE", 120).Record(Plain).Fill(8).bytes(),
                1,
                {}},
        TagCase{"NoTags", ByteBuilder().Text("RIFF").U32(4).Text("MDLX").bytes(), 0, {}},
        TagCase{"EmptyFile", Bytes{}, 0, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ScannerTest, CollectsSeveralMaterialChunksWithBlockNumbers)
{
    const auto bytes = ByteBuilder()
                           .Chunk("MATE", 240)
                           .Record(Plain)
                           .Record(Plain)
                           .Chunk("MATE", 0)
                           .Chunk("MATE", 360)
                           .Record(Plain)
                           .Record(Plain)
                           .Record(Plain)
                           .bytes();
    ASSERT_EQ(Scan(bytes), ScanOutcome::Scanned);
    EXPECT_EQ(BlockNumbers(), (std::vector<int>{1, 1, 3, 3, 3}));
}

TEST_F(ScannerTest, RecordsFileOffsetsAndCopiesOfEachRecord)
{
    const auto a = NumberedRecord(1), b = NumberedRecord(2);
    ByteBuilder builder;
    builder.Fill(13, 'x');
    const auto tagAt = std::int32_t(builder.size());
    builder.Chunk("MATE", 240).Record(a).Record(b);
    ASSERT_EQ(Scan(builder.bytes()), ScanOutcome::Scanned);

    ASSERT_EQ(materials->MaterialCount, 2);
    EXPECT_EQ(materials->Entries[0].FileOffset, tagAt + 8);
    EXPECT_EQ(materials->Entries[1].FileOffset, tagAt + 8 + 120);
    EXPECT_EQ(materials->Records[0], a);
    EXPECT_EQ(materials->Records[1], b);
    EXPECT_EQ(materials->ScannedRecords[1], b);
    EXPECT_EQ(materials->Entries[1].Modified, 0);
    EXPECT_EQ(materials->ScannedFileSize, std::int64_t(builder.size()));
}

TEST_F(ScannerTest, FillsDisplayCopiesChannelMajor)
{
    MaterialRecord r;
    const float diffuse[] = {1.0f, 0.5f, 0.25f, 0.75f}, specular[] = {0.1f, 0.2f, 0.3f, 0.4f};
    for (int c = 0; c < 4; ++c) {
        r.SetDiffuseColor(ColourChannel(c), diffuse[c]);
        r.SetSpecularColor(ColourChannel(c), specular[c]);
    }
    r.SetSpecularPower(12.5f);
    ASSERT_EQ(Scan(ByteBuilder().Chunk("MATE", 120).Record(r).bytes()), ScanOutcome::Scanned);

    const auto &entry = materials->Entries[0];
    EXPECT_EQ(entry.DisplayColours,
              (std::array<float, 8>{1.0f, 0.1f, 0.5f, 0.2f, 0.25f, 0.3f, 0.75f, 0.4f}));
    EXPECT_EQ(entry.DisplaySpecularPower, 12.5f);
}

TEST_F(ScannerTest, ScansTheBytesAfterTheLastWholeRecord)
{
    // 250 bytes hold two records; the remaining 10 bytes start another chunk.
    const auto bytes = ByteBuilder()
                           .Chunk("MATE", 250)
                           .Record(Plain)
                           .Record(Plain)
                           .Chunk("MATE", 0)
                           .Fill(2)
                           .bytes();
    ASSERT_EQ(Scan(bytes), ScanOutcome::Scanned);
    EXPECT_EQ(BlockNumbers(), (std::vector<int>{1, 1}));

    // The texture chunk's odd bytes are consumed whole, tag or not.
    const auto text = ByteBuilder()
                          .Chunk("TEXT", 100)
                          .Name("one")
                          .Chunk("MATE", 120)
                          .Fill(28)
                          .Record(Plain)
                          .bytes();
    ASSERT_EQ(Scan(text), ScanOutcome::Scanned);
    EXPECT_EQ(host.textureList, (std::vector<std::string>{"one"}));
    EXPECT_EQ(materials->MaterialCount, 0);
}

TEST_F(ScannerTest, LastTextureChunkWins)
{
    const auto bytes = ByteBuilder()
                           .Chunk("TEXT", 128)
                           .Name("first")
                           .Name("second")
                           .Chunk("TEXT", 64)
                           .Name("third")
                           .bytes();
    ASSERT_EQ(Scan(bytes), ScanOutcome::Scanned);
    EXPECT_EQ(host.textureList, (std::vector<std::string>{"third"}));
    EXPECT_EQ(textures->TextureCount, 1);

    ASSERT_EQ(Scan(ByteBuilder().Chunk("TEXT", 64).Name("x").Chunk("TEXT", 0).bytes()),
              ScanOutcome::Scanned);
    EXPECT_TRUE(host.textureList.empty());
}

TEST_F(ScannerTest, EndOfFileInsideChunkSize)
{
    ASSERT_EQ(Scan(ByteBuilder().Chunk("TEXT", 64).Name("old").Text("TEXT").Fill(2).bytes()),
              ScanOutcome::Scanned);
    EXPECT_TRUE(host.textureList.empty());

    ASSERT_EQ(Scan(ByteBuilder().Chunk("MATE", 120).Record(Plain).Text("MATE").Fill(3).bytes()),
              ScanOutcome::Scanned);
    EXPECT_EQ(materials->MaterialCount, 1);
}

TEST_F(ScannerTest, NameWithoutNulIsCutAtItsSlot)
{
    const auto bytes = ByteBuilder().Chunk("TEXT", 128).Fill(64, 'a').Name("b").bytes();
    ASSERT_EQ(Scan(bytes), ScanOutcome::Scanned);
    EXPECT_EQ(host.textureList, (std::vector<std::string>{std::string(64, 'a'), "b"}));
}

TEST_F(ScannerTest, ShortDataNeverShowsAnEarlierFile)
{
    // Fill every slot with bytes of an earlier file first.
    ASSERT_EQ(Scan(ByteBuilder()
                       .Chunk("TEXT", 192)
                       .Fill(192, 'Z')
                       .Chunk("MATE", 240)
                       .Record(NumberedRecord(9))
                       .Record(NumberedRecord(9))
                       .bytes()),
              ScanOutcome::Scanned);

    // Three names and two records announced; the file ends 36 bytes into the second name.
    const auto names = ByteBuilder().Chunk("MATE", 240).Record(Plain).Fill(50, 'r').bytes();
    ASSERT_EQ(Scan(names), ScanOutcome::Scanned);
    EXPECT_EQ(materials->MaterialCount, 1);

    const auto text = ByteBuilder().Chunk("TEXT", 192).Name("full").Text("part").bytes();
    ASSERT_EQ(Scan(text), ScanOutcome::Scanned);
    EXPECT_EQ(host.textureList, (std::vector<std::string>{"full", "part"}));
    EXPECT_EQ(textures->TextureCount, 2);
    const auto &partial = textures->Names[1];
    EXPECT_TRUE(std::all_of(partial.begin() + 4, partial.end(), [](char c) { return c == 0; }));
}

TEST_F(ScannerTest, MoreMaterialsThanTheTableHoldsFailTheScan)
{
    ByteBuilder builder;
    builder.Chunk("MATE", std::uint32_t(120 * (MaxMaterials + 1)));
    for (int i = 0; i <= MaxMaterials; ++i)
        builder.Record(Plain);
    EXPECT_EQ(Scan(builder.bytes()), ScanOutcome::Failed);
    EXPECT_EQ(host.errors, (std::vector<std::string>{std::string(ScanErrorMessage)}));
    EXPECT_EQ(materials->MaterialCount, MaxMaterials);
    EXPECT_EQ(host.refreshes, 0);
    EXPECT_TRUE(host.saveEnabledCalls.empty());
}

TEST_F(ScannerTest, OversizedTextureChunkKeepsTheTableAndConsumesTheRest)
{
    ByteBuilder builder;
    builder.Chunk("TEXT", std::uint32_t(MaxTextureNames * 64 + 128));
    for (int i = 0; i < MaxTextureNames; ++i)
        builder.Name("n" + std::to_string(i));
    builder.Chunk("MATE", 120).Record(Plain); // inside the chunk's data: not a tag
    builder.Chunk("MATE", 120).Record(Plain);

    ASSERT_EQ(Scan(builder.bytes()), ScanOutcome::Scanned);
    EXPECT_EQ(textures->TextureCount, MaxTextureNames);
    ASSERT_EQ(host.textureList.size(), std::size_t(MaxTextureNames));
    EXPECT_EQ(host.textureList.back(), "n1023");
    EXPECT_EQ(BlockNumbers(), (std::vector<int>{1}));
}

TEST_F(ScannerTest, CompleteScanRefreshesAndDisablesSaving)
{
    ASSERT_EQ(Scan(ByteBuilder().Chunk("MATE", 120).Record(Plain).bytes()), ScanOutcome::Scanned);
    EXPECT_EQ(host.materialListClears, 1);
    EXPECT_EQ(host.refreshes, 1);
    EXPECT_EQ(host.saveEnabledCalls, std::vector<bool>{false});
}

TEST_F(ScannerTest, FileThatCannotBeOpenedOnlyClearsTheLists)
{
    host.textureList = {"stale"};
    materials->MaterialCount = 3;
    testing::TempDir dir;
    std::vector<std::filesystem::path> paths{dir.file("missing.mdl"), {}, dir.path()};
    if (std::filesystem::exists("/dev/zero"))
        paths.emplace_back("/dev/zero"); // would never end
    for (const auto &path : paths) {
        EXPECT_EQ(ScanModelFile(path, *materials, *textures, host), ScanOutcome::NotOpened);
        EXPECT_FALSE(std::filesystem::exists(dir.file("missing.mdl")));
    }
    EXPECT_TRUE(host.textureList.empty());
    EXPECT_EQ(materials->MaterialCount, 0);
    EXPECT_EQ(host.refreshes, 0);
    EXPECT_TRUE(host.saveEnabledCalls.empty());
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(ScannerTest, FileAndMemoryScansAgreeAcrossBufferBoundaries)
{
    // Tags and records straddle the reader's 64 KiB buffer boundary.
    ByteBuilder builder;
    builder.Fill(65536 - 6, 'q');
    builder.Chunk("MATE", 120).Record(NumberedRecord(3));
    builder.Fill(65536 - 130, 'q').Chunk("TEXT", 64).Name("edge.dds");
    testing::TempDir dir;
    testing::WriteFileBytes(dir.file("edge.mdl"), builder.bytes());

    ASSERT_EQ(ScanModelFile(dir.file("edge.mdl"), *materials, *textures, host),
              ScanOutcome::Scanned);
    EXPECT_EQ(materials->MaterialCount, 1);
    EXPECT_EQ(materials->Entries[0].FileOffset, 65536 - 6 + 8);
    EXPECT_EQ(materials->Records[0], NumberedRecord(3));
    EXPECT_EQ(host.textureList, std::vector<std::string>{"edge.dds"});
    EXPECT_EQ(materials->ScannedFileSize, std::int64_t(builder.size()));
}

} // namespace
} // namespace hueforge
