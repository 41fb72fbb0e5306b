#include "materialrecord.h"

#include <bit>
#include <cmath>
#include <gtest/gtest.h>

namespace hueforge {
namespace {

TEST(MaterialRecord, FieldsAreLittleEndianAtTheirOffsets)
{
    MaterialRecord r;
    r.SetFlags1(0x01020304);
    r.SetSourceBlend(-2);
    r.SetFinalAlphaMultiply(1.0f);
    r.SetSpecularColor(ColourChannel::Alpha, 0.5f);

    EXPECT_EQ((std::array<int, 4>{r.Bytes[0], r.Bytes[1], r.Bytes[2], r.Bytes[3]}),
              (std::array<int, 4>{4, 3, 2, 1}));
    EXPECT_EQ(r.Word(100), 0xFFFFFFFEu);
    EXPECT_EQ(r.Word(116), 0x3F800000u);
    EXPECT_EQ(r.Word(64), 0x3F000000u);
    EXPECT_EQ(r.Unknown1(), 0.0f);
}

TEST(MaterialRecord, ValuesPassThroughWithoutConversion)
{
    MaterialRecord r;
    const std::uint32_t payloads[] = {0x7FC00001u, 0xFFBADBADu, 0x00000001u,
                                      0x7F800000u, 0x80000000u, 0xFFFFFFFFu};
    std::size_t offset = 0;
    for (std::uint32_t word : payloads) {
        r.SetFloat(offset, std::bit_cast<float>(word));
        EXPECT_EQ(r.Word(offset), word) << "at offset " << offset;
        offset += 4;
    }
    r.SetFlags1(std::int32_t(0xFFFFFFFFu));
    r.SetFlags2(std::int32_t(0x80000000u));
    EXPECT_EQ(r.Flags1(), -1);
    EXPECT_EQ(r.Flags2(), INT32_MIN);
    const MaterialRecord copy = r;
    EXPECT_EQ(copy, r);
}

struct TextureCase {
    const char *name;
    TextureSlot slot;
    std::int32_t index;
    std::uint32_t flags1;
    bool has;
};

class HasTextureTest : public ::testing::TestWithParam<TextureCase> {};

TEST_P(HasTextureTest, FollowsIndexAndPresenceMask)
{
    const auto &c = GetParam();
    MaterialRecord r;
    r.SetFlags1(std::int32_t(c.flags1));
    r.SetInt(TextureSlotOffset(c.slot), c.index);
    EXPECT_EQ(HasTexture(r, c.slot), c.has);
    EXPECT_EQ(TextureIndex(r, c.slot), c.index);
}

INSTANTIATE_TEST_SUITE_P(
    Slots, HasTextureTest,
    ::testing::Values(TextureCase{"FresnelFirstBitOfThree", TextureSlot::Fresnel, 0, 0x200, true},
                      TextureCase{"FresnelWithDiffuseBitOnly", TextureSlot::Fresnel, 0, 0x2, false},
                      TextureCase{"DiffuseBit", TextureSlot::Diffuse, 0, 0x2, true},
                      TextureCase{"DetailWithBumpBit", TextureSlot::Detail, 0, 0x4, false},
                      TextureCase{"DetailBit", TextureSlot::Detail, 0, 0x10, true},
                      TextureCase{"BumpBit", TextureSlot::Bumpmap, 0, 0x4, true},
                      TextureCase{"EmissiveBit", TextureSlot::Emissive, 0, 0x80, true},
                      TextureCase{"ReflectionBit", TextureSlot::Reflection, 0, 0x20, true},
                      TextureCase{"SpecularBit", TextureSlot::Specular, 0, 0x8, true},
                      TextureCase{"IndexWithoutBits", TextureSlot::Specular, 3, 0, true},
                      TextureCase{"NothingSet", TextureSlot::Emissive, 0, 0xFFFFFF7F, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MaterialRecord, SlotOffsetsFollowRecordOrder)
{
    for (int s = 0; s < TextureSlotCount; ++s)
        EXPECT_EQ(TextureSlotOffset(TextureSlot(s)),
                  RecordOffset::DiffuseTexture + 4 * std::size_t(s));
    EXPECT_EQ(TextureSlotName(TextureSlot::Bumpmap), "Bumpmap");
}

TEST(MaterialRecord, EnumerationNames)
{
    EXPECT_EQ(BlendFactorName(0), "-----");
    EXPECT_EQ(BlendFactorName(5), "srcAlpha");
    EXPECT_EQ(BlendFactorName(10), "invDestColor ");
    EXPECT_EQ(BlendFactorName(11), std::nullopt);
    EXPECT_EQ(BlendFactorName(-1), std::nullopt);
    EXPECT_EQ(AlphaCompareName(8), "Always");
    EXPECT_EQ(AlphaCompareName(9), std::nullopt);
}

} // namespace
} // namespace hueforge
