#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace hueforge {

inline constexpr std::size_t MaterialRecordSize = 120;

// Byte offsets of the fields of a material record.
namespace RecordOffset {
inline constexpr std::size_t Flags1 = 0;
inline constexpr std::size_t Flags2 = 4;
inline constexpr std::size_t DiffuseTexture = 8;
inline constexpr std::size_t DetailTexture = 12;
inline constexpr std::size_t BumpTexture = 16;
inline constexpr std::size_t SpecularTexture = 20;
inline constexpr std::size_t EmissiveTexture = 24;
inline constexpr std::size_t ReflectionTexture = 28;
inline constexpr std::size_t FresnelTexture = 32;
inline constexpr std::size_t DiffuseColor = 36;
inline constexpr std::size_t SpecularColor = 52;
inline constexpr std::size_t SpecularPower = 68;
inline constexpr std::size_t DetailMapScale = 72;
inline constexpr std::size_t BumpMapScale = 76;
inline constexpr std::size_t ReflectionScale = 80;
inline constexpr std::size_t PrecipitationOffset = 84;
inline constexpr std::size_t Unknown1 = 88;
inline constexpr std::size_t SpecularBloomFloor = 92;
inline constexpr std::size_t AmbientLightScale = 96;
inline constexpr std::size_t SourceBlend = 100;
inline constexpr std::size_t DestinationBlend = 104;
inline constexpr std::size_t AlphaTestFunction = 108;
inline constexpr std::size_t AlphaTestThreshold = 112;
inline constexpr std::size_t FinalAlphaMultiply = 116;
} // namespace RecordOffset

enum class ColourChannel { Red = 0, Green = 1, Blue = 2, Alpha = 3 };

// One 120-byte material record, kept as the bytes read from the file. Fields are decoded
// little-endian on access, so a record that is only read goes back byte for byte.
struct MaterialRecord {
    std::array<std::uint8_t, MaterialRecordSize> Bytes{};

    std::uint32_t Word(std::size_t offset) const
    {
        return std::uint32_t(Bytes[offset]) | std::uint32_t(Bytes[offset + 1]) << 8 |
               std::uint32_t(Bytes[offset + 2]) << 16 | std::uint32_t(Bytes[offset + 3]) << 24;
    }
    void SetWord(std::size_t offset, std::uint32_t value)
    {
        for (std::size_t i = 0; i < 4; ++i)
            Bytes[offset + i] = std::uint8_t(value >> (8 * i));
    }
    std::int32_t Int(std::size_t offset) const { return std::bit_cast<std::int32_t>(Word(offset)); }
    void SetInt(std::size_t offset, std::int32_t value)
    {
        SetWord(offset, std::bit_cast<std::uint32_t>(value));
    }
    float Float(std::size_t offset) const { return std::bit_cast<float>(Word(offset)); }
    void SetFloat(std::size_t offset, float value)
    {
        SetWord(offset, std::bit_cast<std::uint32_t>(value));
    }

    std::int32_t Flags1() const { return Int(RecordOffset::Flags1); }
    void SetFlags1(std::int32_t v) { SetInt(RecordOffset::Flags1, v); }
    std::int32_t Flags2() const { return Int(RecordOffset::Flags2); }
    void SetFlags2(std::int32_t v) { SetInt(RecordOffset::Flags2, v); }

    float DiffuseColor(ColourChannel c) const
    {
        return Float(RecordOffset::DiffuseColor + 4 * std::size_t(c));
    }
    void SetDiffuseColor(ColourChannel c, float v)
    {
        SetFloat(RecordOffset::DiffuseColor + 4 * std::size_t(c), v);
    }
    float SpecularColor(ColourChannel c) const
    {
        return Float(RecordOffset::SpecularColor + 4 * std::size_t(c));
    }
    void SetSpecularColor(ColourChannel c, float v)
    {
        SetFloat(RecordOffset::SpecularColor + 4 * std::size_t(c), v);
    }

    float SpecularPower() const { return Float(RecordOffset::SpecularPower); }
    void SetSpecularPower(float v) { SetFloat(RecordOffset::SpecularPower, v); }
    float DetailMapScale() const { return Float(RecordOffset::DetailMapScale); }
    void SetDetailMapScale(float v) { SetFloat(RecordOffset::DetailMapScale, v); }
    float BumpMapScale() const { return Float(RecordOffset::BumpMapScale); }
    void SetBumpMapScale(float v) { SetFloat(RecordOffset::BumpMapScale, v); }
    float ReflectionScale() const { return Float(RecordOffset::ReflectionScale); }
    void SetReflectionScale(float v) { SetFloat(RecordOffset::ReflectionScale, v); }
    float PrecipitationOffset() const { return Float(RecordOffset::PrecipitationOffset); }
    void SetPrecipitationOffset(float v) { SetFloat(RecordOffset::PrecipitationOffset, v); }
    float Unknown1() const { return Float(RecordOffset::Unknown1); }
    void SetUnknown1(float v) { SetFloat(RecordOffset::Unknown1, v); }
    float SpecularBloomFloor() const { return Float(RecordOffset::SpecularBloomFloor); }
    void SetSpecularBloomFloor(float v) { SetFloat(RecordOffset::SpecularBloomFloor, v); }
    float AmbientLightScale() const { return Float(RecordOffset::AmbientLightScale); }
    void SetAmbientLightScale(float v) { SetFloat(RecordOffset::AmbientLightScale, v); }
    std::int32_t SourceBlend() const { return Int(RecordOffset::SourceBlend); }
    void SetSourceBlend(std::int32_t v) { SetInt(RecordOffset::SourceBlend, v); }
    std::int32_t DestinationBlend() const { return Int(RecordOffset::DestinationBlend); }
    void SetDestinationBlend(std::int32_t v) { SetInt(RecordOffset::DestinationBlend, v); }
    std::int32_t AlphaTestFunction() const { return Int(RecordOffset::AlphaTestFunction); }
    void SetAlphaTestFunction(std::int32_t v) { SetInt(RecordOffset::AlphaTestFunction, v); }
    float AlphaTestThreshold() const { return Float(RecordOffset::AlphaTestThreshold); }
    void SetAlphaTestThreshold(float v) { SetFloat(RecordOffset::AlphaTestThreshold, v); }
    float FinalAlphaMultiply() const { return Float(RecordOffset::FinalAlphaMultiply); }
    void SetFinalAlphaMultiply(float v) { SetFloat(RecordOffset::FinalAlphaMultiply, v); }

    friend bool operator==(const MaterialRecord &, const MaterialRecord &) = default;
};
static_assert(sizeof(MaterialRecord) == MaterialRecordSize);

// The seven texture slots, in record order; the value is also the "Texture Assignment" item.
enum class TextureSlot { Diffuse, Detail, Bumpmap, Specular, Emissive, Reflection, Fresnel };
inline constexpr int TextureSlotCount = 7;

std::size_t TextureSlotOffset(TextureSlot slot);
std::uint32_t TextureSlotMask(TextureSlot slot);
std::string_view TextureSlotName(TextureSlot slot);
std::int32_t TextureIndex(const MaterialRecord &record, TextureSlot slot);

// A slot has a texture when its index is non-zero or flags1 shares a bit with its mask.
bool HasTexture(std::int32_t flags1, std::int32_t textureIndex, TextureSlot slot);
bool HasTexture(const MaterialRecord &record, TextureSlot slot);

// Names shown for blend factors (0..10) and alpha test functions (0..8); none outside.
inline constexpr int BlendFactorCount = 11;
inline constexpr int AlphaCompareCount = 9;
std::optional<std::string_view> BlendFactorName(std::int32_t value);
std::optional<std::string_view> AlphaCompareName(std::int32_t value);

} // namespace hueforge
