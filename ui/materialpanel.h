#pragma once

#include "materialtable.h"

#include <array>
#include <cstdint>

namespace hueforge {

// Packed colour: red + 256 x green + 65536 x blue, each channel 0 to 255.
constexpr std::int32_t PackColour(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}
constexpr int RedOf(std::int32_t colour)
{
    return colour & 0xFF;
}
constexpr int GreenOf(std::int32_t colour)
{
    return (colour >> 8) & 0xFF;
}
constexpr int BlueOf(std::int32_t colour)
{
    return (colour >> 16) & 0xFF;
}

inline constexpr std::int32_t White = 0xFFFFFF;

// A screen byte as a stored channel: byte / 255 in double, rounded to single precision.
float ByteToChannel(int byte);

// The alpha field's number for a slot alpha (truncated, not rounded) and back.
double AlphaToNumber(float alpha);
float NumberToAlpha(double number);

// One colour of the panel: a swatch slot's colour and alpha.
struct SwatchValues {
    std::int32_t Colour = White;
    float Alpha = 0.0f;
    // The stored red, green and blue the colour was made from at the fill; a channel
    // outside 0..1 goes back exactly as it was unless the swatch was given a new colour.
    std::array<float, 3> Channels{};
    bool Replaced = false;
};

// A blend or alpha-test chooser. Raw is the stored value, kept so that a value the
// chooser has no name for goes back unchanged unless the user picked an item.
struct ChooserValue {
    int Item = -1;
    std::int32_t Raw = 0;
    bool Chosen = false;
};

// The ten float parameters in their on-screen order (NumEdit5 to NumEdit14).
inline constexpr std::array<std::size_t, 10> ParameterOffsets{
    RecordOffset::SpecularPower,       RecordOffset::DetailMapScale,
    RecordOffset::BumpMapScale,        RecordOffset::ReflectionScale,
    RecordOffset::PrecipitationOffset, RecordOffset::SpecularBloomFloor,
    RecordOffset::AmbientLightScale,   RecordOffset::Unknown1,
    RecordOffset::AlphaTestThreshold,  RecordOffset::FinalAlphaMultiply};

// Everything the "Material Properties" panel shows for one material.
struct MaterialPanelValues {
    std::array<SwatchValues, 2> Swatches; // 0 diffuse, 1 specular
    std::array<double, 10> Parameters{};
    ChooserValue SourceBlend, DestinationBlend, AlphaTestFunction;
    double Flags1 = 0.0, Flags2 = 0.0;
};

// The chooser item for a stored value: the value itself where the chooser has it, item 0
// for larger values, none (-1) for negative ones.
int ChooserItemForValue(double value, int itemCount);

// The flag word for a flag field's number: truncated toward zero, low 32 bits.
std::int32_t FlagWordFromNumber(double number);

// Fill: the panel values for a table entry and its record.
MaterialPanelValues PanelValuesFromMaterial(const MaterialEntry &entry,
                                            const MaterialRecord &record);

// Send back: writes the panel values into the entry's working copies and its record and
// marks the row modified. Texture indices are never written.
void ApplyPanelValues(const MaterialPanelValues &values, MaterialEntry &entry,
                      MaterialRecord &record);

} // namespace hueforge
