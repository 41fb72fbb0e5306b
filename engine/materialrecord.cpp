#include "materialrecord.h"

namespace hueforge {
namespace {

struct SlotInfo {
    std::size_t offset;
    std::uint32_t mask;
    std::string_view name;
};

constexpr std::array<SlotInfo, TextureSlotCount> Slots{{
    {RecordOffset::DiffuseTexture, 0x2, "Diffuse"},
    {RecordOffset::DetailTexture, 0x10, "Detail"},
    {RecordOffset::BumpTexture, 0x4, "Bumpmap"},
    {RecordOffset::SpecularTexture, 0x8, "Specular"},
    {RecordOffset::EmissiveTexture, 0x80, "Emissive"},
    {RecordOffset::ReflectionTexture, 0x20, "Reflection"},
    {RecordOffset::FresnelTexture, 0x700, "Fresnel"},
}};

constexpr std::array<std::string_view, BlendFactorCount> BlendFactorNames{
    "-----",       "Zero",      "One",          "srcColor",  "invSrcColor",  "srcAlpha",
    "invSrcAlpha", "destAlpha", "invDestAlpha", "destColor", "invDestColor "};

constexpr std::array<std::string_view, AlphaCompareCount> AlphaCompareNames{
    "---", "Never", "Less", "Equal", "LessEqual", "Greater", "NotEqual", "GreaterEqual", "Always"};

const SlotInfo &Info(TextureSlot slot)
{
    return Slots.at(std::size_t(slot));
}

} // namespace

std::size_t TextureSlotOffset(TextureSlot slot)
{
    return Info(slot).offset;
}
std::uint32_t TextureSlotMask(TextureSlot slot)
{
    return Info(slot).mask;
}
std::string_view TextureSlotName(TextureSlot slot)
{
    return Info(slot).name;
}

std::int32_t TextureIndex(const MaterialRecord &record, TextureSlot slot)
{
    return record.Int(TextureSlotOffset(slot));
}

bool HasTexture(std::int32_t flags1, std::int32_t textureIndex, TextureSlot slot)
{
    return textureIndex != 0 || (std::uint32_t(flags1) & TextureSlotMask(slot)) != 0;
}

bool HasTexture(const MaterialRecord &record, TextureSlot slot)
{
    return HasTexture(record.Flags1(), TextureIndex(record, slot), slot);
}

std::optional<std::string_view> BlendFactorName(std::int32_t value)
{
    if (value < 0 || value >= BlendFactorCount)
        return std::nullopt;
    return BlendFactorNames[std::size_t(value)];
}

std::optional<std::string_view> AlphaCompareName(std::int32_t value)
{
    if (value < 0 || value >= AlphaCompareCount)
        return std::nullopt;
    return AlphaCompareNames[std::size_t(value)];
}

} // namespace hueforge
