#include "materialtable.h"

#include <cstring>

namespace hueforge {

void FillDisplayCopies(MaterialEntry &entry, const MaterialRecord &record)
{
    for (int c = 0; c < 4; ++c) {
        const auto channel = ColourChannel(c);
        entry.DisplayColours[DisplayColourIndex(channel, 0)] = record.DiffuseColor(channel);
        entry.DisplayColours[DisplayColourIndex(channel, 1)] = record.SpecularColor(channel);
    }
    entry.DisplaySpecularPower = record.SpecularPower();
}

std::string_view TextureNameTable::Name(int index) const
{
    const auto &slot = Names.at(std::size_t(index));
    const void *nul = std::memchr(slot.data(), 0, slot.size());
    const auto length =
        nul ? std::size_t(static_cast<const char *>(nul) - slot.data()) : slot.size();
    return {slot.data(), length};
}

} // namespace hueforge
