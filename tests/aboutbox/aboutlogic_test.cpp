#include "aboutlogic.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace fs = std::filesystem;
using namespace hueforge;

namespace {

struct VersionCase {
    const char *name;
    std::uint16_t parts[4];
    const char *text;
};

class VersionTextTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionTextTest, MajorThenLeastSignificantWord)
{
    const VersionCase &c = GetParam();
    EXPECT_EQ(VersionText(MakeProductVersion(c.parts[0], c.parts[1], c.parts[2], c.parts[3])),
              c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, VersionTextTest,
    ::testing::Values(VersionCase{"Plain", {2, 0, 0, 7}, "2.00.7"},
                      VersionCase{"MinorNotShown", {1, 5, 0, 12}, "1.00.12"},
                      VersionCase{"ThirdPartTimes65536", {3, 0, 1, 2}, "3.00.65538"},
                      VersionCase{"WordIsSigned", {4, 0, 0x8000, 0}, "4.00.-2147483648"},
                      VersionCase{"AllOnes", {65535, 65535, 65535, 65535}, "65535.00.-1"}),
    [](const auto &info) { return std::string(info.param.name); });

struct LineCase {
    const char *name;
    const char *file;
    bool found;
    const char *line;
};

class LibraryLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LibraryLineTest, PaddedToTwelveThenVersionOrNotFound)
{
    const LineCase &c = GetParam();
    const auto version = c.found ? std::optional(MakeProductVersion(4, 0, 0, 2)) : std::nullopt;
    EXPECT_EQ(LibraryLine(c.file, version), c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Names, LibraryLineTest,
    ::testing::Values(LineCase{"SevenCharacters", "abc.dll", true, "abc.dll      -   4.00.2"},
                      LineCase{"NineCharacters", "cvmath.so", true, "cvmath.so    -   4.00.2"},
                      LineCase{"ElevenCharacters", "cvgauges.so", true, "cvgauges.so  -   4.00.2"},
                      LineCase{"TwelveCharacters", "cvtexture.so", true, "cvtexture.so -   4.00.2"},
                      LineCase{"LongerThanTwelve", "thirteen.so.x", true,
                               "thirteen.so.x -   4.00.2"},
                      LineCase{"Missing", "abc.dll", false, "abc.dll      -   Not found"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LibraryRows, LineAndDescriptionShareTheirIndex)
{
    LibraryRows rows;
    AddLibraryLine(rows, CompanionLibraries[0], std::nullopt);
    AddLibraryLine(rows, CompanionLibraries[1], MakeProductVersion(2, 0, 0, 7));
    ASSERT_EQ(rows.Lines.size(), 2u);
    ASSERT_EQ(rows.Descriptions.size(), 2u);
    EXPECT_EQ(rows.Lines[1],
              LibraryLine(CompanionLibraries[1].FileName, MakeProductVersion(2, 0, 0, 7)));
    EXPECT_EQ(rows.Descriptions[1], CompanionLibraries[1].Description);
}

TEST(CompanionLibrariesTable, NineDistinctBareShortNamesWithShapedDescriptions)
{
    std::set<std::string_view> names;
    for (const CompanionLibrary &library : CompanionLibraries) {
        SCOPED_TRACE(std::string(library.FileName));
        names.insert(library.FileName);
        EXPECT_LE(library.FileName.size(), 12u);
        EXPECT_EQ(library.FileName.find('/'), std::string_view::npos);
        const std::string head = std::string(library.FileName) + "\n\n";
        EXPECT_EQ(library.Description.substr(0, head.size()), head);
        EXPECT_GT(library.Description.size(), head.size());
    }
    EXPECT_EQ(names.size(), 9u);
}

struct FileNameCase {
    const char *name;
    const char *file;
    std::optional<std::string> text;
};

class VersionFromFileNameTest : public ::testing::TestWithParam<FileNameCase> {};

TEST_P(VersionFromFileNameTest, LastFourNumbers)
{
    const auto version = VersionFromFileName(GetParam().file);
    EXPECT_EQ(version ? std::optional(VersionText(*version)) : std::nullopt, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Names, VersionFromFileNameTest,
    ::testing::Values(FileNameCase{"Versioned", "cvkit.so.2.0.0.7", "2.00.7"},
                      FileNameCase{"FiveNumbersTakesLastFour", "a.so.9.3.0.1.2", "3.00.65538"},
                      FileNameCase{"ThreeNumbers", "cvkit.so.2.0.7", std::nullopt},
                      FileNameCase{"Unversioned", "cvkit.so", std::nullopt},
                      FileNameCase{"OnlyNumbers", "1.2.3.4", std::nullopt},
                      FileNameCase{"EmptyPart", "a.so.1..3.4", std::nullopt},
                      FileNameCase{"PartBeyond16Bits", "a.so.1.2.3.65536", std::nullopt},
                      FileNameCase{"SignNotANumber", "a.so.1.2.3.+4", std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LibrarySearchFolders, ProgramFolderThenLoaderPathThenSystem)
{
    const auto folders = LibrarySearchFolders("/opt/hueforge", "/one::/two;/three:");
    ASSERT_GE(folders.size(), 6u);
    EXPECT_EQ(folders[0], fs::path("/opt/hueforge"));
    EXPECT_EQ(folders[1], fs::path("/one"));
    EXPECT_EQ(folders[2], fs::path("/two"));
    EXPECT_EQ(folders[3], fs::path("/three"));
    EXPECT_EQ(folders[4], fs::path("/lib"));
    EXPECT_EQ(folders[5], fs::path("/usr/lib"));
}

class LibraryFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() /
               ("hueforge-aboutlogic-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "first");
        fs::create_directories(root / "second");
    }
    void TearDown() override { fs::remove_all(root); }
    void touch(const fs::path &file) { std::ofstream(file) << "x"; }
    std::optional<std::string> find(std::string_view name)
    {
        const auto version = FindLibraryVersion(name, {root / "first", root / "second"});
        return version ? std::optional(VersionText(*version)) : std::nullopt;
    }
    fs::path root;
};

TEST_F(LibraryFolders, SymlinkToVersionedFile)
{
    touch(root / "second" / "cvkit.so.2.0.0.7");
    fs::create_symlink("cvkit.so.2.0.0.7", root / "second" / "cvkit.so");
    EXPECT_EQ(find("cvkit.so"), "2.00.7");
}

TEST_F(LibraryFolders, FirstFolderWinsEvenWithoutVersion)
{
    touch(root / "first" / "cvkit.so");
    touch(root / "second" / "cvkit.so.2.0.0.7");
    fs::create_symlink("cvkit.so.2.0.0.7", root / "second" / "cvkit.so");
    EXPECT_EQ(find("cvkit.so"), std::nullopt);
}

TEST_F(LibraryFolders, MissingDanglingAndDirectoriesAreNotFound)
{
    fs::create_symlink("gone.so.1.0.0.0", root / "first" / "dangling.so");
    fs::create_directories(root / "first" / "folder.so.1.0.0.0");
    fs::create_symlink("folder.so.1.0.0.0", root / "first" / "folder.so");
    EXPECT_EQ(find("missing.so"), std::nullopt);
    EXPECT_EQ(find("dangling.so"), std::nullopt);
    EXPECT_EQ(find("folder.so"), std::nullopt);
}

TEST_F(LibraryFolders, ChainOfSymlinksAndFullPath)
{
    touch(root / "second" / "cvmath.so.1.5.0.12");
    fs::create_symlink("cvmath.so.1.5.0.12", root / "second" / "cvmath.so.1");
    fs::create_symlink("cvmath.so.1", root / "second" / "cvmath.so");
    EXPECT_EQ(find("cvmath.so"), "1.00.12");
    EXPECT_EQ(find((root / "second" / "cvmath.so").string()), "1.00.12");
}

} // namespace
