#include "materiallines.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace hueforge {
namespace {

MaterialEntry Entry(std::int32_t block, std::int32_t offset, std::array<float, 4> diffuse,
                    std::array<float, 4> specular = {}, float power = 0.0f)
{
    MaterialEntry e;
    e.BlockNumber = block;
    e.FileOffset = offset;
    for (int c = 0; c < 4; ++c) {
        e.DisplayColours[DisplayColourIndex(ColourChannel(c), 0)] = diffuse[std::size_t(c)];
        e.DisplayColours[DisplayColourIndex(ColourChannel(c), 1)] = specular[std::size_t(c)];
    }
    e.DisplaySpecularPower = power;
    return e;
}

struct LineCase {
    const char *name;
    std::string_view prefix;
    int property;
    MaterialEntry entry;
    int position;
    const char *expected;
};

class MaterialLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(MaterialLineTest, FormatsAsTheListShowsIt)
{
    const auto &c = GetParam();
    EXPECT_EQ(FormatMaterialLine(c.prefix, c.property, c.entry, c.position), c.expected);
}

const std::array<float, 4> Orange{1.0f, 0.5f, 0.0f, 1.0f};
const std::array<float, 4> Grey{0.999f, 0.25f, 0.75f, 0.5f};

INSTANTIATE_TEST_SUITE_P(
    Lines, MaterialLineTest,
    ::testing::Values(
        LineCase{"Diffuse", "LOD", 0, Entry(1, 0x1A2C, Orange, Grey), 3,
                 "LOD 01 03 00001A2C  FF 7F 00 FF"},
        LineCase{"Specular", "LOD", 1, Entry(1, 0x1A2C, Orange, Grey), 3,
                 "LOD 01 03 00001A2C  FE 3F BF 7F"},
        LineCase{"SpecularPower", "LOD", 2, Entry(1, 0x1A2C, Orange, Grey, 8.0f), 3,
                 "LOD 01 03 00001A2C 8.0000"},
        LineCase{"PowerZero", "LOD", 2, Entry(2, 8, Orange, Grey, 0.0f), 1,
                 "LOD 02 01 00000008 0.0000"},
        LineCase{"PowerNegative", "OBJ", 2, Entry(2, 8, Orange, Grey, -1.5f), 1,
                 "OBJ 02 01 00000008 -1.5000"},
        LineCase{"PowerLarge", "LOD", 2, Entry(2, 8, Orange, Grey, 1000.0f), 1,
                 "LOD 02 01 00000008 1000.0000"},
        LineCase{"ChannelsOutOfRange", "LOD", 0, Entry(1, 8, {2.0f, -0.5f, 0.0f, 1.0f}), 1,
                 "LOD 01 01 00000008  1FE FFFFFF81 00 FF"},
        LineCase{"ThreeDigitBlockAndPosition", "LOD", 0, Entry(100, 8, Orange), 1000,
                 "LOD 100 1000 00000008  FF 7F 00 FF"},
        LineCase{"HighOffset", "OBJ", 0, Entry(1, 0x10000000, Orange), 1,
                 "OBJ 01 01 10000000  FF 7F 00 FF"},
        LineCase{"NoPropertyShowsDiffuse", "LOD", -1, Entry(1, 8, Orange, Grey), 1,
                 "LOD 01 01 00000008  FF 7F 00 FF"},
        LineCase{"NotANumberShowsZero", "LOD", 0,
                 Entry(1, 8, {std::numeric_limits<float>::quiet_NaN(), 0.0f, 0.0f, 0.0f}), 1,
                 "LOD 01 01 00000008  00 00 00 00"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ChannelToByte, TruncatesWithoutClamping)
{
    EXPECT_EQ(ChannelToByte(1.0f), 255);
    EXPECT_EQ(ChannelToByte(0.5f), 127);
    EXPECT_EQ(ChannelToByte(0.999f), 254);
    EXPECT_EQ(ChannelToByte(-0.5f), -127);
    EXPECT_EQ(ChannelToByte(std::numeric_limits<float>::infinity()),
              std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ChannelToByte(-std::numeric_limits<float>::max()),
              std::numeric_limits<std::int64_t>::min());
}

TEST(ChannelToByte, EveryByteSurvivesTheWayThereAndBack)
{
    for (int k = 0; k <= 255; ++k)
        EXPECT_EQ(ChannelToByte(float(double(k) / 255.0)), k) << k;
}

TEST(MaterialCountText, CountsOrExplains)
{
    EXPECT_EQ(MaterialCountText(0), "No materials found. This may be an old format MDL");
    EXPECT_EQ(MaterialCountText(1), "1 Materials found");
    EXPECT_EQ(MaterialCountText(12), "12 Materials found");
}

TEST(LinePrefix, FollowsTheDialogFilter)
{
    EXPECT_EQ(LinePrefix(1), "LOD");
    EXPECT_EQ(LinePrefix(2), "OBJ");
    EXPECT_EQ(LinePrefix(3), "LOD");
}

} // namespace
} // namespace hueforge
