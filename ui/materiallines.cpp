#include "materiallines.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace hueforge {

std::int64_t ChannelToByte(float channel)
{
    const double product = double(channel) * 255.0;
    if (std::isnan(product))
        return 0;
    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double limit = 9223372036854775808.0;
    if (product >= limit)
        return std::numeric_limits<std::int64_t>::max();
    if (product <= -limit)
        return std::numeric_limits<std::int64_t>::min();
    return std::int64_t(product);
}

std::string_view LinePrefix(int filterIndex)
{
    return filterIndex == 2 ? "OBJ" : "LOD";
}

std::string FormatMaterialLine(std::string_view prefix, int displayProperty,
                               const MaterialEntry &entry, int position)
{
    const std::string prefixText(prefix);
    char line[160];
    if (displayProperty == int(DisplayProperty::Specularity)) {
        std::snprintf(line, sizeof line, "%s %02d %02d %08X %2.4f", prefixText.c_str(),
                      entry.BlockNumber, position, unsigned(entry.FileOffset),
                      double(entry.DisplaySpecularPower));
    } else {
        const int colour = displayProperty == int(DisplayProperty::Specular) ? 1 : 0;
        auto byte = [&](ColourChannel c) {
            return unsigned(
                std::uint32_t(ChannelToByte(entry.DisplayColours[DisplayColourIndex(c, colour)])));
        };
        std::snprintf(line, sizeof line, "%s %02d %02d %08X  %02X %02X %02X %02X",
                      prefixText.c_str(), entry.BlockNumber, position, unsigned(entry.FileOffset),
                      byte(ColourChannel::Red), byte(ColourChannel::Green),
                      byte(ColourChannel::Blue), byte(ColourChannel::Alpha));
    }
    return line;
}

std::string MaterialCountText(int count)
{
    if (count > 0)
        return std::to_string(count) + " Materials found";
    return "No materials found. This may be an old format MDL";
}

} // namespace hueforge
