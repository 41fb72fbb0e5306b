#include "materialpanel.h"

#include "materiallines.h"

#include <algorithm>
#include <cmath>

namespace hueforge {
namespace {

bool InUnitRange(float channel)
{
    return channel >= 0.0f && channel <= 1.0f;
}

int ShownByte(float channel)
{
    return int(std::clamp<std::int64_t>(ChannelToByte(channel), 0, 255));
}

SwatchValues SwatchFromEntry(const MaterialEntry &entry, int colour)
{
    SwatchValues swatch;
    for (int c = 0; c < 3; ++c)
        swatch.Channels[std::size_t(c)] =
            entry.DisplayColours[DisplayColourIndex(ColourChannel(c), colour)];
    swatch.Colour = PackColour(ShownByte(swatch.Channels[0]), ShownByte(swatch.Channels[1]),
                               ShownByte(swatch.Channels[2]));
    swatch.Alpha = entry.DisplayColours[DisplayColourIndex(ColourChannel::Alpha, colour)];
    return swatch;
}

void SwatchToEntry(const SwatchValues &swatch, MaterialEntry &entry, int colour)
{
    const int bytes[3] = {RedOf(swatch.Colour), GreenOf(swatch.Colour), BlueOf(swatch.Colour)};
    for (int c = 0; c < 3; ++c) {
        const float filled = swatch.Channels[std::size_t(c)];
        const bool keepStored = !swatch.Replaced && !InUnitRange(filled);
        entry.DisplayColours[DisplayColourIndex(ColourChannel(c), colour)] =
            keepStored ? filled : ByteToChannel(bytes[c]);
    }
    entry.DisplayColours[DisplayColourIndex(ColourChannel::Alpha, colour)] = swatch.Alpha;
}

ChooserValue ChooserFromRaw(std::int32_t raw, int itemCount)
{
    return {ChooserItemForValue(double(raw), itemCount), raw, false};
}

std::int32_t ChooserToRaw(const ChooserValue &chooser)
{
    return chooser.Chosen ? chooser.Item : chooser.Raw;
}

} // namespace

float ByteToChannel(int byte)
{
    return float(double(byte) / 255.0);
}

double AlphaToNumber(float alpha)
{
    return std::trunc(double(alpha) * 255.0);
}

float NumberToAlpha(double number)
{
    return float(number / 255.0);
}

int ChooserItemForValue(double value, int itemCount)
{
    if (std::isnan(value) || value < 0.0)
        return -1;
    return value >= itemCount ? 0 : int(value);
}

std::int32_t FlagWordFromNumber(double number)
{
    if (!std::isfinite(number))
        return 0;
    const double whole = std::trunc(number);
    // Beyond +-2^63 only the low 32 bits matter, and those are zero there.
    if (std::fabs(whole) >= 9223372036854775808.0)
        return 0;
    return std::int32_t(std::uint32_t(std::int64_t(whole)));
}

MaterialPanelValues PanelValuesFromMaterial(const MaterialEntry &entry,
                                            const MaterialRecord &record)
{
    MaterialPanelValues values;
    values.Swatches[0] = SwatchFromEntry(entry, 0);
    values.Swatches[1] = SwatchFromEntry(entry, 1);
    for (std::size_t i = 0; i < ParameterOffsets.size(); ++i)
        values.Parameters[i] = double(record.Float(ParameterOffsets[i]));
    values.SourceBlend = ChooserFromRaw(record.SourceBlend(), BlendFactorCount);
    values.DestinationBlend = ChooserFromRaw(record.DestinationBlend(), BlendFactorCount);
    values.AlphaTestFunction = ChooserFromRaw(record.AlphaTestFunction(), AlphaCompareCount);
    values.Flags1 = double(record.Flags1());
    values.Flags2 = double(record.Flags2());
    return values;
}

void ApplyPanelValues(const MaterialPanelValues &values, MaterialEntry &entry,
                      MaterialRecord &record)
{
    SwatchToEntry(values.Swatches[0], entry, 0);
    SwatchToEntry(values.Swatches[1], entry, 1);
    entry.DisplaySpecularPower = float(values.Parameters[0]);

    for (int c = 0; c < 4; ++c) {
        const auto channel = ColourChannel(c);
        record.SetDiffuseColor(channel, entry.DisplayColours[DisplayColourIndex(channel, 0)]);
        record.SetSpecularColor(channel, entry.DisplayColours[DisplayColourIndex(channel, 1)]);
    }
    for (std::size_t i = 0; i < ParameterOffsets.size(); ++i)
        record.SetFloat(ParameterOffsets[i], float(values.Parameters[i]));
    record.SetSourceBlend(ChooserToRaw(values.SourceBlend));
    record.SetDestinationBlend(ChooserToRaw(values.DestinationBlend));
    record.SetAlphaTestFunction(ChooserToRaw(values.AlphaTestFunction));
    record.SetFlags1(FlagWordFromNumber(values.Flags1));
    record.SetFlags2(FlagWordFromNumber(values.Flags2));
    entry.Modified = 1;
}

} // namespace hueforge
