#include "numberlogic.h"

#include <clocale>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

using namespace hueforge;

namespace {

std::string RowName(const auto &info)
{
    return info.param.name;
}

// ---- General number format

struct FormatCase {
    std::string name;
    double value;
    std::string text;
};

class NumEditFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(NumEditFormat, WritesFifteenSignificantDigits)
{
    EXPECT_EQ(FormatNumber(GetParam().value), GetParam().text);
}

TEST_P(NumEditFormat, TextReadsBackAsTheShownDigits)
{
    const std::string &text = GetParam().text;
    EXPECT_EQ(FormatNumber(ParseNumber(text)), text);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, NumEditFormat,
    testing::Values(
        FormatCase{"Whole", 255, "255"}, FormatCase{"Half", 2.5, "2.5"},
        FormatCase{"NegativeQuarter", -0.25, "-0.25"},
        FormatCase{"SmallestFixed", 0.0001, "0.0001"},
        FormatCase{"FirstScientificBelow", 0.00001, "1E-5"},
        FormatCase{"NegativeScientificBelow", -0.000012345, "-1.2345E-5"},
        FormatCase{"LargestFixed", 999999999999999.0, "999999999999999"},
        FormatCase{"FifteenDigitsWithZeros", 100000000000000.0, "100000000000000"},
        FormatCase{"FirstScientificAbove", 1e15, "1E15"},
        FormatCase{"RoundedToFifteenDigits", 1.234567890123456e15, "1.23456789012346E15"},
        FormatCase{"RoundingCarriesIntoExponent", 9.9999999999999999e14, "1E15"},
        FormatCase{"OneThird", 1.0 / 3.0, "0.333333333333333"},
        FormatCase{"SinglePrecisionTenth", double(0.1f), "0.100000001490116"},
        FormatCase{"Zero", 0.0, "0"}, FormatCase{"NegativeZero", -0.0, "0"},
        FormatCase{"FlagWordMax", 10000000000.0, "10000000000"},
        FormatCase{"HugeScientific", 1.5e300, "1.5E300"},
        FormatCase{"TinyScientific", 2.5e-300, "2.5E-300"},
        FormatCase{"Infinity", std::numeric_limits<double>::infinity(), "INF"},
        FormatCase{"NegativeInfinity", -std::numeric_limits<double>::infinity(), "-INF"}),
    [](const auto &info) { return RowName(info); });

TEST(NumEditFormatNaN, ShowsNanThatReadsBackAsNaN)
{
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_TRUE(std::isnan(ParseNumber("NAN")));
}

// ---- Parsing

struct ParseCase {
    std::string name;
    std::string text;
    double value;
};

class NumEditParse : public testing::TestWithParam<ParseCase> {};

TEST_P(NumEditParse, FollowsStrtodInTheCLocale)
{
    EXPECT_EQ(ParseNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumEditParse,
    testing::Values(ParseCase{"Plain", "300", 300}, ParseCase{"Decimal", "2.5", 2.5},
                    ParseCase{"LeadingSpaceAndPlus", "  +7", 7},
                    ParseCase{"Exponent", "1E-5", 0.00001}, ParseCase{"StopsAtComma", "1,234", 1},
                    ParseCase{"StopsAtLetter", "12abc", 12}, ParseCase{"LoneMinus", "-", 0},
                    ParseCase{"LoneDot", ".", 0}, ParseCase{"Letters", "abc", 0},
                    ParseCase{"Empty", "", 0}, ParseCase{"TrailingDot", "5.", 5},
                    ParseCase{"HexFloat", "0x10", 16}),
    [](const auto &info) { return RowName(info); });

// ---- Key filter

struct KeyCase {
    std::string name;
    std::string text;
    bool allowMinus;
    bool allowDecimal;
    unsigned char code;
    int selStart;
    int selLength;
    KeyVerdict verdict;
};

class NumEditKeyFilter : public testing::TestWithParam<KeyCase> {};

TEST_P(NumEditKeyFilter, DecidesAndRecordsTheKey)
{
    const KeyCase &c = GetParam();
    NumberField field;
    field.AllowMinus = c.allowMinus;
    field.AllowDecimal = c.allowDecimal;
    field.Text = c.text;
    EXPECT_EQ(FilterKey(field, c.code, c.selStart, c.selLength), c.verdict);
    EXPECT_EQ(field.KeyPressed, int(static_cast<signed char>(c.code)));
    if (c.verdict != KeyVerdict::CommittedAsTab) {
        EXPECT_EQ(field.Text, c.text);
    }
}

constexpr auto Accept = KeyVerdict::Accept;
constexpr auto Swallow = KeyVerdict::Swallow;
constexpr auto Commit = KeyVerdict::CommittedAsTab;

INSTANTIATE_TEST_SUITE_P(
    Keys, NumEditKeyFilter,
    testing::Values(KeyCase{"DigitAnywhere", "12", false, false, '3', 1, 0, Accept},
                    KeyCase{"BackspaceAtEnd", "12", false, false, 8, 2, 0, Accept},
                    KeyCase{"MinusIntoEmpty", "", true, false, '-', 0, 0, Accept},
                    KeyCase{"MinusBeforeFive", "5", true, false, '-', 0, 0, Accept},
                    KeyCase{"MinusAfterFive", "5", true, false, '-', 1, 0, Swallow},
                    KeyCase{"MinusNotAllowed", "", false, true, '-', 0, 0, Swallow},
                    KeyCase{"LeadingMinusBlocksDigit", "-5", true, false, '7', 0, 0, Swallow},
                    KeyCase{"LeadingMinusBlocksMinus", "-5", true, false, '-', 0, 0, Swallow},
                    KeyCase{"LeadingMinusBlocksEnter", "-5", true, false, 13, 0, 0, Swallow},
                    KeyCase{"LeadingMinusBlocksBackspace", "-5", true, false, 8, 0, 0, Swallow},
                    KeyCase{"SelectedMinusCanBeReplaced", "-5", true, false, '-', 0, 2, Accept},
                    KeyCase{"DigitAfterMinus", "-5", true, false, '7', 2, 0, Accept},
                    KeyCase{"DotIntoEmpty", "", false, true, '.', 0, 0, Accept},
                    KeyCase{"DotAtStartOfFifteen", "15", false, true, '.', 0, 0, Accept},
                    KeyCase{"DotInsideFifteen", "15", false, true, '.', 1, 0, Accept},
                    KeyCase{"SecondDot", "1.5", false, true, '.', 3, 0, Swallow},
                    KeyCase{"DotOverSelectedDot", "1.5", false, true, '.', 1, 1, Swallow},
                    KeyCase{"DotNotAllowed", "15", false, false, '.', 2, 0, Swallow},
                    KeyCase{"LetterE", "1", false, true, 'e', 1, 0, Swallow},
                    KeyCase{"CapitalE", "1", false, true, 'E', 1, 0, Swallow},
                    KeyCase{"Comma", "1", false, true, ',', 1, 0, Swallow},
                    KeyCase{"Plus", "1", true, true, '+', 0, 0, Swallow},
                    KeyCase{"Space", "1", false, false, ' ', 1, 0, Swallow},
                    KeyCase{"LetterA", "", false, false, 'a', 0, 0, Swallow},
                    KeyCase{"Escape", "1", false, false, 27, 1, 0, Swallow},
                    KeyCase{"CtrlC", "1", false, false, 3, 1, 0, Swallow},
                    KeyCase{"CtrlV", "1", false, false, 22, 1, 0, Swallow},
                    KeyCase{"CtrlX", "1", false, false, 24, 1, 0, Swallow},
                    KeyCase{"CtrlZ", "1", false, false, 26, 1, 0, Swallow},
                    KeyCase{"HighCodeReadsNegative", "1", false, false, 200, 1, 0, Swallow},
                    KeyCase{"Code255", "", false, false, 255, 0, 0, Swallow},
                    KeyCase{"EnterCommits", "300", false, false, 13, 3, 0, Commit},
                    KeyCase{"LineFeedCommits", "300", false, false, 10, 3, 0, Commit},
                    KeyCase{"TabCommits", "300", false, false, 9, 3, 0, Commit}),
    [](const auto &info) { return RowName(info); });

TEST(NumEditKeyFilterEnter, CommitsTheTextBeforeTheTab)
{
    NumberField field;
    field.Max = 255;
    field.Text = "300";
    EXPECT_EQ(FilterKey(field, 13, 3, 0), KeyVerdict::CommittedAsTab);
    EXPECT_EQ(field.Number, 255);
    EXPECT_EQ(field.Text, "255");
    EXPECT_EQ(field.KeyPressed, 13);
}

// ---- Reading Number and committing

struct ReadCase {
    std::string name;
    std::string text;
    double number;
    std::string textAfter;
};

class NumEditRead : public testing::TestWithParam<ReadCase> {};

TEST_P(NumEditRead, RemovesTheFirstCommaAndDoesNotClamp)
{
    NumberField field;
    field.Max = 255;
    field.Text = GetParam().text;
    EXPECT_EQ(ReadNumber(field), GetParam().number);
    EXPECT_EQ(field.Number, GetParam().number);
    EXPECT_EQ(field.Text, GetParam().textAfter);
}

INSTANTIATE_TEST_SUITE_P(Texts, NumEditRead,
                         testing::Values(ReadCase{"ThousandsComma", "1,234", 1234, "1234"},
                                         ReadCase{"OnlyFirstComma", "1,2,3", 12, "12,3"},
                                         ReadCase{"AboveMaxKept", "300", 300, "300"},
                                         ReadCase{"FractionKeptWithoutDecimal", "1.7", 1.7, "1.7"},
                                         ReadCase{"LoneMinus", "-", 0, "-"},
                                         ReadCase{"LoneDot", ".", 0, "."},
                                         ReadCase{"Letters", "abc", 0, "abc"},
                                         ReadCase{"Empty", "", 0, ""}),
                         [](const auto &info) { return RowName(info); });

TEST(NumEditReadLong, ReadsOnlyTheFirst255Characters)
{
    NumberField field;
    field.Text = "1" + std::string(254, '0') + "5";
    EXPECT_EQ(ReadNumber(field), 1e254);
    EXPECT_EQ(field.Text.size(), 256u) << "no comma, so the text stays";

    field.Text = "1," + std::string(260, '0');
    ReadNumber(field);
    EXPECT_EQ(field.Text, "1" + std::string(253, '0'));
}

struct CommitCase {
    std::string name;
    std::string text;
    double min;
    double max;
    bool allowDecimal;
    double number;
    std::string textAfter;
};

class NumEditCommit : public testing::TestWithParam<CommitCase> {};

TEST_P(NumEditCommit, ParsesClampsAndShows)
{
    const CommitCase &c = GetParam();
    NumberField field;
    field.Min = c.min;
    field.Max = c.max;
    field.AllowDecimal = c.allowDecimal;
    field.Text = c.text;
    CommitEntry(field);
    EXPECT_EQ(field.Number, c.number);
    EXPECT_EQ(field.Text, c.textAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumEditCommit,
    testing::Values(CommitCase{"CommaStopsTheNumber", "1,234", -1000, 255, false, 1, "1"},
                    CommitCase{"LoneMinus", "-", -1000, 255, false, 0, "0"},
                    CommitCase{"LoneDot", ".", -1000, 255, true, 0, "0"},
                    CommitCase{"Letters", "abc", -1000, 255, false, 0, "0"},
                    CommitCase{"EmptyIsZero", "", -1000, 255, false, 0, "0"},
                    CommitCase{"EmptyRaisedToMin", "", 5, 255, false, 5, "5"},
                    CommitCase{"AboveMax", "300", -1000, 255, false, 255, "255"},
                    CommitCase{"BelowMin", "-2000", -1000, 255, false, -1000, "-1000"},
                    CommitCase{"NotANumberBecomesMin", "nan", -1000, 255, false, -1000, "-1000"},
                    CommitCase{"NoRoundingOnCommit", "1.7", -1000, 255, false, 1.7, "1.7"},
                    CommitCase{"Reformatted", "007.50", -1000, 255, true, 7.5, "7.5"}),
    [](const auto &info) { return RowName(info); });

// ---- Property writes, applied in order to a fresh field

using Step = std::function<void(NumberField &)>;

Step Number(double v)
{
    return [v](NumberField &f) { WriteNumber(f, v); };
}
Step Max(double v)
{
    return [v](NumberField &f) { WriteMax(f, v); };
}
Step Min(double v)
{
    return [v](NumberField &f) { WriteMin(f, v); };
}
Step Decimal(bool b)
{
    return [b](NumberField &f) { WriteAllowDecimal(f, b); };
}
Step Minus(bool b)
{
    return [b](NumberField &f) { WriteAllowMinus(f, b); };
}
Step Pad(int w)
{
    return [w](NumberField &f) { f.PadZero = w; };
}
Step Refresh()
{
    return [](NumberField &f) { RefreshText(f); };
}

struct WriteCase {
    std::string name;
    std::vector<Step> steps;
    double number;
    std::string text;
    double min = -1000;
    double max = 1000;
};

class NumEditWrites : public testing::TestWithParam<WriteCase> {};

TEST_P(NumEditWrites, LeaveNumberLimitsAndText)
{
    NumberField field;
    for (const Step &step : GetParam().steps)
        step(field);
    EXPECT_EQ(field.Number, GetParam().number);
    EXPECT_EQ(field.Text, GetParam().text);
    EXPECT_EQ(field.Min, GetParam().min);
    EXPECT_EQ(field.Max, GetParam().max);
}

const double Big = 10000000000.0;

INSTANTIATE_TEST_SUITE_P(
    Sequences, NumEditWrites,
    testing::Values(
        WriteCase{"StoredSettingsShowZero",
                  {Decimal(false), Minus(false), Max(255), Min(0)},
                  0,
                  "0",
                  0,
                  255},
        WriteCase{"HalfRoundsUp", {Number(2.5)}, 3, "3"},
        WriteCase{"JustBelowHalfRoundsDown", {Number(2.4999)}, 2, "2"},
        WriteCase{"NegativeHalfRoundsUp", {Number(-2.5)}, -2, "-2"},
        WriteCase{"NegativeRoundsToNearest", {Number(-2.6)}, -3, "-3"},
        WriteCase{"NegativeWhole", {Number(-1)}, -1, "-1"},
        WriteCase{"ClampedToMin", {Number(-1500)}, -1000, "-1000"},
        WriteCase{"ClampedToMax", {Number(1500)}, 1000, "1000"},
        WriteCase{"NotANumberBecomesMin",
                  {Number(std::numeric_limits<double>::quiet_NaN())},
                  -1000,
                  "-1000"},
        WriteCase{"MinusShownWithoutAllowMinus", {Minus(false), Number(-5)}, -5, "-5"},
        WriteCase{"OneThird", {Decimal(true), Number(1.0 / 3.0)}, 1.0 / 3.0, "0.333333333333333"},
        WriteCase{"TinyScientific", {Decimal(true), Number(0.00001)}, 0.00001, "1E-5"},
        WriteCase{"SinglePrecisionTenth",
                  {Decimal(true), Number(double(0.1f))},
                  double(0.1f),
                  "0.100000001490116"},
        WriteCase{"MaxBelowMinIgnored", {Min(10), Max(5)}, 10, "10", 10, 1000},
        WriteCase{"MinEqualToMaxIgnored", {Min(1000)}, 0, "0"},
        WriteCase{"MaxEqualToMinIgnored", {Max(-1000)}, 0, "0"},
        WriteCase{"NotANumberLimitsIgnored",
                  {Min(std::numeric_limits<double>::quiet_NaN()),
                   Max(std::numeric_limits<double>::quiet_NaN())},
                  0,
                  "0"},
        WriteCase{"MaxPullsNumberDown", {Number(50), Max(10)}, 10, "10", -1000, 10},
        WriteCase{"MinPullsNumberUp", {Number(-50), Min(-10)}, -10, "-10", -10, 1000},
        WriteCase{
            "AllowMinusFlipsWithoutClamp", {Number(-3), Max(2), Minus(false)}, 3, "3", -1000, 2},
        WriteCase{"AllowDecimalRoundsWithoutClamp",
                  {Decimal(true), Number(2.5), Max(2.6), Decimal(false)},
                  3,
                  "3",
                  -1000,
                  2.6},
        WriteCase{"PadZeroWaitsForRefresh", {Number(7), Pad(3)}, 7, "7"},
        WriteCase{"PadZeroPositive", {Pad(3), Number(7)}, 7, "007"},
        WriteCase{"PadZeroNegative", {Pad(3), Number(-7)}, -7, "-07"},
        WriteCase{"PadZeroWiderValue", {Pad(3), Number(999)}, 999, "999"},
        WriteCase{"PadZeroOnRefresh", {Number(7), Pad(3), Refresh()}, 7, "007"},
        WriteCase{"PadZeroIgnoredWithDecimal", {Decimal(true), Pad(3), Number(7.5)}, 7.5, "7.5"},
        WriteCase{"RoundingBeyond32BitsKeepsValue",
                  {Max(Big), Number(4294967296.4)},
                  4294967296.0,
                  "4294967296",
                  -1000,
                  Big},
        WriteCase{
            "RoundingAtFlagMax", {Max(Big), Number(Big - 0.5)}, Big, "10000000000", -1000, Big},
        WriteCase{"WholeBeyond52BitsUnchanged",
                  {Max(1e17), Number(4503599627370497.0)},
                  4503599627370497.0,
                  "4.5035996273705E15",
                  -1000,
                  1e17}),
    [](const auto &info) { return RowName(info); });

TEST(NumEditPadded, SaturatesOutside32BitsAndCapsTheWidth)
{
    EXPECT_EQ(FormatPadded(1e12, 3), "2147483647");
    EXPECT_EQ(FormatPadded(-1e12, 3), "-2147483648");
    EXPECT_EQ(FormatPadded(7, -5), "7");
    EXPECT_EQ(FormatPadded(7, 1000).size(), 63u);
}

// ---- The user's locale does not reach parsing or formatting

class NumEditCommaLocale : public testing::Test {
protected:
    void SetUp() override
    {
        m_saved = std::setlocale(LC_ALL, nullptr);
        for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German_Germany.1252"})
            if (std::setlocale(LC_ALL, name) &&
                std::string(std::localeconv()->decimal_point) == ",")
                return;
        GTEST_SKIP() << "no German locale installed";
    }
    void TearDown() override { std::setlocale(LC_ALL, m_saved.c_str()); }

    std::string m_saved;
};

TEST_F(NumEditCommaLocale, DotStaysTheSeparator)
{
    EXPECT_EQ(ParseNumber("2.5"), 2.5);
    EXPECT_EQ(ParseNumber("2,5"), 2);
    EXPECT_EQ(FormatNumber(2.5), "2.5");
    EXPECT_EQ(FormatNumber(1.234567890123456e15), "1.23456789012346E15");
    EXPECT_EQ(FormatPadded(1234567, 3), "1234567");

    NumberField field;
    field.AllowDecimal = true;
    field.Text = "1,5";
    EXPECT_EQ(ReadNumber(field), 15);
    field.Text = "0.25";
    CommitEntry(field);
    EXPECT_EQ(field.Text, "0.25");
}

} // namespace
