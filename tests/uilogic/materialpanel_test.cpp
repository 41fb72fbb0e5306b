#include "materialpanel.h"

#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace hueforge {
namespace {

struct Material {
    MaterialEntry entry;
    MaterialRecord record;
};

Material MakeMaterial(std::array<float, 4> diffuse, std::array<float, 4> specular = {})
{
    Material m;
    for (int c = 0; c < 4; ++c) {
        m.record.SetDiffuseColor(ColourChannel(c), diffuse[std::size_t(c)]);
        m.record.SetSpecularColor(ColourChannel(c), specular[std::size_t(c)]);
    }
    FillDisplayCopies(m.entry, m.record);
    return m;
}

// A send back of exactly what the fill showed.
Material RoundTrip(const Material &m)
{
    Material out = m;
    ApplyPanelValues(PanelValuesFromMaterial(m.entry, m.record), out.entry, out.record);
    return out;
}

TEST(MaterialPanel, FillShowsColoursAsBytes)
{
    const auto m = MakeMaterial({1.0f, 0.5f, 0.0f, 0.25f}, {0.2f, 0.4f, 0.6f, 1.0f});
    const auto values = PanelValuesFromMaterial(m.entry, m.record);
    EXPECT_EQ(values.Swatches[0].Colour, 32767);
    EXPECT_EQ(values.Swatches[0].Alpha, 0.25f);
    EXPECT_EQ(values.Swatches[1].Colour, PackColour(51, 102, 153));
}

TEST(MaterialPanel, SendBackStoresNearestByteValuesThenSettles)
{
    const auto once = RoundTrip(MakeMaterial({1.0f, 0.5f, 0.0f, 0.25f}));
    EXPECT_EQ(once.record.DiffuseColor(ColourChannel::Red), 1.0f);
    EXPECT_EQ(once.record.DiffuseColor(ColourChannel::Green), float(127.0 / 255.0));
    EXPECT_EQ(once.record.DiffuseColor(ColourChannel::Blue), 0.0f);
    EXPECT_EQ(once.record.DiffuseColor(ColourChannel::Alpha), 0.25f);
    EXPECT_EQ(once.entry.Modified, 1);

    const auto twice = RoundTrip(once);
    EXPECT_EQ(twice.record, once.record);
}

TEST(MaterialPanel, AlphaIsCopiedUnchanged)
{
    auto m = MakeMaterial({0.0f, 0.0f, 0.0f, 0.3f}, {0.0f, 0.0f, 0.0f, 7.5f});
    for (int i = 0; i < 5; ++i)
        m = RoundTrip(m);
    EXPECT_EQ(m.record.DiffuseColor(ColourChannel::Alpha), 0.3f);
    EXPECT_EQ(m.record.SpecularColor(ColourChannel::Alpha), 7.5f);
}

TEST(MaterialPanel, EveryByteSurvivesFillAndSendBack)
{
    for (int k = 0; k <= 255; ++k) {
        const float channel = ByteToChannel(k);
        const auto m = RoundTrip(MakeMaterial({channel, channel, channel, channel}));
        EXPECT_EQ(m.record.DiffuseColor(ColourChannel::Red), channel) << k;
        EXPECT_EQ(AlphaToNumber(NumberToAlpha(k)), k);
    }
}

TEST(MaterialPanel, FloatParametersPassThroughUnchanged)
{
    Material m = MakeMaterial({});
    m.record.SetDetailMapScale(0.1f);
    m.record.SetUnknown1(-123.456f);
    m.record.SetAmbientLightScale(3.0e7f);
    m.record.SetFinalAlphaMultiply(std::numeric_limits<float>::denorm_min());
    const auto values = PanelValuesFromMaterial(m.entry, m.record);
    EXPECT_EQ(values.Parameters[1], double(0.1f));
    EXPECT_EQ(values.Parameters[7], double(-123.456f)); // Unknown 1 sits eighth on screen
    const auto back = RoundTrip(m);
    EXPECT_EQ(back.record, m.record);
}

TEST(MaterialPanel, TextureIndicesAreNeverWritten)
{
    Material m = MakeMaterial({0.5f, 0.5f, 0.5f, 1.0f});
    for (int s = 0; s < TextureSlotCount; ++s)
        m.record.SetInt(TextureSlotOffset(TextureSlot(s)), 1000 + s);
    auto values = PanelValuesFromMaterial(m.entry, m.record);
    values.Swatches[0].Colour = 0;
    values.Swatches[0].Replaced = true;
    Material out = m;
    ApplyPanelValues(values, out.entry, out.record);
    for (int s = 0; s < TextureSlotCount; ++s)
        EXPECT_EQ(TextureIndex(out.record, TextureSlot(s)), 1000 + s);
    EXPECT_EQ(out.record.DiffuseColor(ColourChannel::Red), 0.0f);
}

struct ChooserCase {
    const char *name;
    std::int32_t stored;
    int itemCount;
    int shownItem;
};

class ChooserTest : public ::testing::TestWithParam<ChooserCase> {};

TEST_P(ChooserTest, ShowsNameAndKeepsStoredValue)
{
    const auto &c = GetParam();
    Material m = MakeMaterial({});
    m.record.SetSourceBlend(c.itemCount == BlendFactorCount ? c.stored : 0);
    m.record.SetAlphaTestFunction(c.itemCount == AlphaCompareCount ? c.stored : 0);
    const auto values = PanelValuesFromMaterial(m.entry, m.record);
    const auto &chooser =
        c.itemCount == BlendFactorCount ? values.SourceBlend : values.AlphaTestFunction;
    EXPECT_EQ(chooser.Item, c.shownItem);

    const auto back = RoundTrip(m);
    EXPECT_EQ(back.record.SourceBlend(), m.record.SourceBlend());
    EXPECT_EQ(back.record.AlphaTestFunction(), m.record.AlphaTestFunction());
}

INSTANTIATE_TEST_SUITE_P(Values, ChooserTest,
                         ::testing::Values(ChooserCase{"BlendSrcAlpha", 5, BlendFactorCount, 5},
                                           ChooserCase{"BlendLastName", 10, BlendFactorCount, 10},
                                           ChooserCase{"BlendBeyondNames", 11, BlendFactorCount, 0},
                                           ChooserCase{"BlendNegative", -3, BlendFactorCount, -1},
                                           ChooserCase{"AlphaAlways", 8, AlphaCompareCount, 8},
                                           ChooserCase{"AlphaBeyondNames", 9, AlphaCompareCount, 0},
                                           ChooserCase{"AlphaHuge", INT32_MAX, AlphaCompareCount,
                                                       0}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(MaterialPanel, ChosenItemReplacesAnUnnamedValue)
{
    Material m = MakeMaterial({});
    m.record.SetDestinationBlend(42);
    auto values = PanelValuesFromMaterial(m.entry, m.record);
    values.DestinationBlend.Item = 3;
    values.DestinationBlend.Chosen = true;
    ApplyPanelValues(values, m.entry, m.record);
    EXPECT_EQ(m.record.DestinationBlend(), 3);
}

struct FlagCase {
    const char *name;
    std::uint32_t stored;
    double shown;
};

class FlagWordTest : public ::testing::TestWithParam<FlagCase> {};

TEST_P(FlagWordTest, ShowsSignedAndStoresEveryBit)
{
    Material m = MakeMaterial({});
    m.record.SetFlags1(std::bit_cast<std::int32_t>(GetParam().stored));
    m.record.SetFlags2(std::bit_cast<std::int32_t>(GetParam().stored));
    const auto values = PanelValuesFromMaterial(m.entry, m.record);
    EXPECT_EQ(values.Flags1, GetParam().shown);
    const auto back = RoundTrip(m);
    EXPECT_EQ(std::uint32_t(back.record.Flags1()), GetParam().stored);
    EXPECT_EQ(std::uint32_t(back.record.Flags2()), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Words, FlagWordTest,
                         ::testing::Values(FlagCase{"Plain", 1042, 1042.0},
                                           FlagCase{"AllBits", 0xFFFFFFFF, -1.0},
                                           FlagCase{"TopBitOnly", 0x80000000, -2147483648.0},
                                           FlagCase{"Zero", 0, 0.0}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(FlagWordFromNumber, TypedNumbersBecomeWords)
{
    EXPECT_EQ(std::uint32_t(FlagWordFromNumber(4294967295.0)), 0xFFFFFFFFu);
    EXPECT_EQ(std::uint32_t(FlagWordFromNumber(2147483648.0)), 0x80000000u);
    EXPECT_EQ(std::uint32_t(FlagWordFromNumber(-1.0)), 0xFFFFFFFFu);
    EXPECT_EQ(FlagWordFromNumber(1042.9), 1042);
    EXPECT_EQ(FlagWordFromNumber(-2.7), -2);
    EXPECT_EQ(std::uint32_t(FlagWordFromNumber(10000000000.0)), 0x540BE400u);
}

TEST(MaterialPanel, OutOfRangeChannelsNeverSpillAndStayUnlessReplaced)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const auto m = MakeMaterial({2.0f, -0.5f, 0.5f, 1.0f}, {nan, 1.5f, 0.0f, 1.0f});
    const auto values = PanelValuesFromMaterial(m.entry, m.record);
    EXPECT_EQ(values.Swatches[0].Colour, PackColour(255, 0, 127));
    EXPECT_EQ(values.Swatches[1].Colour, PackColour(0, 255, 0));

    const auto kept = RoundTrip(m);
    EXPECT_EQ(kept.record.DiffuseColor(ColourChannel::Red), 2.0f);
    EXPECT_EQ(kept.record.DiffuseColor(ColourChannel::Green), -0.5f);
    EXPECT_EQ(kept.record.DiffuseColor(ColourChannel::Blue), float(127.0 / 255.0));
    EXPECT_TRUE(std::isnan(kept.record.SpecularColor(ColourChannel::Red)));
    EXPECT_EQ(kept.record.SpecularColor(ColourChannel::Green), 1.5f);

    auto replaced = values;
    replaced.Swatches[0].Replaced = true;
    Material out = m;
    ApplyPanelValues(replaced, out.entry, out.record);
    EXPECT_EQ(out.record.DiffuseColor(ColourChannel::Red), 1.0f);
    EXPECT_EQ(out.record.DiffuseColor(ColourChannel::Green), 0.0f);
    EXPECT_EQ(out.record.SpecularColor(ColourChannel::Green), 1.5f);
}

TEST(MaterialPanel, SendBackUpdatesTheWorkingCopies)
{
    Material m = MakeMaterial({0.0f, 0.0f, 0.0f, 1.0f});
    auto values = PanelValuesFromMaterial(m.entry, m.record);
    values.Swatches[1].Colour = PackColour(255, 0, 0);
    values.Swatches[1].Alpha = 0.5f;
    values.Parameters[0] = 64.0;
    ApplyPanelValues(values, m.entry, m.record);
    EXPECT_EQ(m.entry.DisplayColours[DisplayColourIndex(ColourChannel::Red, 1)], 1.0f);
    EXPECT_EQ(m.entry.DisplayColours[DisplayColourIndex(ColourChannel::Alpha, 1)], 0.5f);
    EXPECT_EQ(m.entry.DisplaySpecularPower, 64.0f);
    EXPECT_EQ(m.record.SpecularPower(), 64.0f);
    EXPECT_EQ(m.record.SpecularColor(ColourChannel::Red), 1.0f);
}

} // namespace
} // namespace hueforge
