#include "materialwriter.h"
#include "modelgen.h"
#include "modelscanner.h"
#include "recordinghost.h"
#include "testfiles.h"

#include <gtest/gtest.h>
#include <memory>

namespace hueforge {
namespace {

using testing::Bytes;

class WriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        original = sample::GenerateModel(sample::SampleModelLayout()).bytes;
        testing::WriteFileBytes(path, original);
        ASSERT_EQ(ScanModelFile(path, *materials, *textures, host), ScanOutcome::Scanned);
        ASSERT_EQ(materials->MaterialCount, 12);
    }

    // Changes a row the way a send back does.
    void Edit(int row, float red)
    {
        materials->Records[std::size_t(row)].SetDiffuseColor(ColourChannel::Red, red);
        materials->Entries[std::size_t(row)].Modified = 1;
    }

    testing::TempDir dir;
    std::filesystem::path path = dir.file("model.mdl");
    Bytes original;
    std::unique_ptr<MaterialTable> materials = std::make_unique<MaterialTable>();
    std::unique_ptr<TextureNameTable> textures = std::make_unique<TextureNameTable>();
    testing::RecordingHost host;
};

TEST_F(WriterTest, WritesExactlyTheModifiedRows)
{
    Edit(1, 0.25f);
    Edit(7, 0.75f);
    Edit(7, 0.5f); // sent back twice: its latest content counts

    const SaveResult result = WriteModifiedMaterials(path, *materials);
    ASSERT_EQ(result.Status, SaveStatus::Saved) << result.Reason;

    Bytes expected = original;
    for (int row : {1, 7}) {
        const auto &record = materials->Records[std::size_t(row)];
        std::copy(record.Bytes.begin(), record.Bytes.end(),
                  expected.begin() + materials->Entries[std::size_t(row)].FileOffset);
    }
    const Bytes written = testing::ReadFileBytes(path);
    ASSERT_EQ(written.size(), original.size());
    EXPECT_TRUE(written == expected);
    std::size_t changedBytes = 0;
    for (std::size_t i = 0; i < written.size(); ++i)
        changedBytes += written[i] != original[i];
    EXPECT_LE(changedBytes, 240u);

    ASSERT_EQ(ScanModelFile(path, *materials, *textures, host), ScanOutcome::Scanned);
    EXPECT_EQ(materials->Records[7].DiffuseColor(ColourChannel::Red), 0.5f);
    EXPECT_EQ(materials->Entries[7].Modified, 0);
}

TEST_F(WriterTest, SaveWithoutModifiedRowsLeavesTheFileAlone)
{
    EXPECT_EQ(WriteModifiedMaterials(path, *materials).Status, SaveStatus::Saved);
    EXPECT_TRUE(testing::ReadFileBytes(path) == original);
}

TEST_F(WriterTest, SaveWithoutModifiedRowsNeedsNoCompleteScan)
{
    materials->ScannedFileSize = -1; // as after a scan that failed part way
    EXPECT_EQ(WriteModifiedMaterials(path, *materials).Status, SaveStatus::Saved);
    EXPECT_TRUE(testing::ReadFileBytes(path) == original);
}

TEST_F(WriterTest, RefusesAFileThatChangedOnDisk)
{
    Edit(3, 0.1f);
    Bytes changed = original;
    changed[std::size_t(materials->Entries[3].FileOffset) + 40] ^= 0xFF;
    testing::WriteFileBytes(path, changed);

    const SaveResult result = WriteModifiedMaterials(path, *materials);
    EXPECT_EQ(result.Status, SaveStatus::ChangedOnDisk);
    EXPECT_NE(result.Reason.find("changed on disk"), std::string::npos);
    EXPECT_TRUE(testing::ReadFileBytes(path) == changed);
    EXPECT_EQ(materials->Entries[3].Modified, 1);
}

TEST_F(WriterTest, RefusesAFileWhoseLengthChanged)
{
    Edit(0, 0.1f);
    Bytes longer = original;
    longer.push_back(0);
    testing::WriteFileBytes(path, longer);
    EXPECT_EQ(WriteModifiedMaterials(path, *materials).Status, SaveStatus::ChangedOnDisk);
    EXPECT_TRUE(testing::ReadFileBytes(path) == longer);
}

TEST_F(WriterTest, NeverCreatesAFile)
{
    Edit(0, 0.1f);
    const auto missing = dir.file("gone.mdl");
    const SaveResult result = WriteModifiedMaterials(missing, *materials);
    EXPECT_EQ(result.Status, SaveStatus::NotOpened);
    EXPECT_FALSE(result.Reason.empty());
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(WriteModifiedMaterials(dir.path(), *materials).Status, SaveStatus::NotOpened);
    EXPECT_EQ(WriteModifiedMaterials({}, *materials).Status, SaveStatus::NotOpened);
}

TEST_F(WriterTest, RefusesWhenNoScanCompleted)
{
    Edit(0, 0.1f);
    materials->ScannedFileSize = -1;
    EXPECT_EQ(WriteModifiedMaterials(path, *materials).Status, SaveStatus::ChangedOnDisk);
    EXPECT_TRUE(testing::ReadFileBytes(path) == original);
}

} // namespace
} // namespace hueforge
