#include "settingstext.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using hueforge::ApplicationTitleFromPath;
using hueforge::ParseSettingsInteger;
using hueforge::SettingsIntegerOr;
using hueforge::SplitChosenPath;

struct IntegerCase {
    const char *name;
    const char *text;
    std::optional<std::int32_t> expected;
};

void PrintTo(const IntegerCase &row, std::ostream *out)
{
    *out << row.name;
}

class SettingsIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(SettingsIntegerTest, ParsesByTheStoreRules)
{
    EXPECT_EQ(ParseSettingsInteger(GetParam().text), GetParam().expected);
    EXPECT_EQ(SettingsIntegerOr(GetParam().text, 77), GetParam().expected.value_or(77));
}

const IntegerCase IntegerCases[] = {
    {"PlainDecimal", "40", 40},
    {"NegativeDecimal", "-1", -1},
    {"PlusSign", "+12", 12},
    {"LeadingBlanks", "   60", 60},
    {"LeadingTab", "\t7", 7},
    {"LargestInt", "2147483647", 2147483647},
    {"SmallestInt", "-2147483648", std::numeric_limits<std::int32_t>::min()},
    {"AboveRange", "2147483648", std::nullopt},
    {"BelowRange", "-2147483649", std::nullopt},
    {"ZeroXLower", "0x64", 100},
    {"ZeroXUpper", "0X64", 100},
    {"Dollar", "$ff", 255},
    {"XLower", "x1A", 26},
    {"XUpper", "XaB", 171},
    {"EightHexDigitsTopBitSet", "$80000000", std::numeric_limits<std::int32_t>::min()},
    {"AllBitsSet", "0xFFFFFFFF", -1},
    {"NineHexDigits", "0x100000000", std::nullopt},
    {"PrefixWithoutDigits", "0x", std::nullopt},
    {"DollarAlone", "$", std::nullopt},
    {"SignBeforePrefix", "-0x10", std::nullopt},
    {"SignAfterPrefix", "$-10", std::nullopt},
    {"PlusBeforeMinus", "+-5", std::nullopt},
    {"DoubleMinus", "--5", std::nullopt},
    {"SignAlone", "-", std::nullopt},
    {"Letters", "abc", std::nullopt},
    {"Empty", "", std::nullopt},
    {"BlanksOnly", "   ", std::nullopt},
    {"TrailingBlank", "40 ", std::nullopt},
    {"TrailingLetters", "40px", std::nullopt},
    {"DecimalPoint", "4.0", std::nullopt},
    {"HexDigitsWithoutPrefix", "1F", std::nullopt},
    {"BlankInsidePrefix", "0 x10", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Table, SettingsIntegerTest, testing::ValuesIn(IntegerCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct TitleCase {
    const char *name;
    const char *path;
    const char *title;
};

void PrintTo(const TitleCase &row, std::ostream *out)
{
    *out << row.name;
}

class ApplicationTitleTest : public testing::TestWithParam<TitleCase> {};

TEST_P(ApplicationTitleTest, IsTheCapitalisedFileNameBeforeItsFirstDot)
{
    EXPECT_EQ(ApplicationTitleFromPath(GetParam().path), GetParam().title);
}

const TitleCase TitleCases[] = {
    {"LowerCaseFirstLetterStays", "/usr/local/bin/hueforge", "hueforge"},
    {"WindowsUpperCase", "C:\\Program Files\\Corvane\\HUEFORGE.EXE", "Hueforge"},
    {"CutAtFirstDot", "/opt/Hue.Forge.exe", "Hue"},
    {"MixedCase", "/x/TintMark", "Tintmark"},
    {"NoFolder", "HueForge", "Hueforge"},
    {"DotInFolderOnly", "/x.y/Editor", "Editor"},
    {"UnderscoreAndDigits", "/opt/X/TINTMARK1X_XX.EXE", "Tintmark1x_xx"},
    {"DigitFirst", "/x/7ZIP", "7zip"},
    {"Empty", "", ""},
};

INSTANTIATE_TEST_SUITE_P(Table, ApplicationTitleTest, testing::ValuesIn(TitleCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct PathCase {
    const char *name;
    const char *path;
    const char *folder;
    const char *file;
};

void PrintTo(const PathCase &row, std::ostream *out)
{
    *out << row.name;
}

class ChosenPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(ChosenPathTest, SplitsAfterTheLastSeparator)
{
    const auto parts = SplitChosenPath(GetParam().path);
    EXPECT_EQ(parts.Folder, GetParam().folder);
    EXPECT_EQ(parts.Name, GetParam().file);
}

const PathCase PathCases[] = {
    {"WindowsFolder", "D:\\Models\\glider.mdl", "D:\\Models\\", "glider.mdl"},
    {"UnixFolder", "/home/pilot/models/glider.mdl", "/home/pilot/models/", "glider.mdl"},
    {"DriveOnly", "D:glider.mdl", "D:", "glider.mdl"},
    {"RootFile", "/glider.mdl", "/", "glider.mdl"},
    {"MixedSeparatorsLastWins", "C:\\a/b\\c.mdl", "C:\\a/b\\", "c.mdl"},
    {"NoSeparator", "glider.mdl", "", "glider.mdl"},
    {"Empty", "", "", ""},
};

INSTANTIATE_TEST_SUITE_P(Table, ChosenPathTest, testing::ValuesIn(PathCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
