#pragma once

#include "materialrecord.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace hueforge {

inline constexpr int MaxMaterials = 1024;
inline constexpr int MaxTextureNames = 1024;
inline constexpr int TextureNameSize = 64;

struct MaterialEntry {
    std::int32_t FileOffset = 0;
    std::int32_t Modified = 0;
    std::int32_t BlockNumber = 0;
    // Working copies of both colours, channel-major: element 2c + k is channel c of
    // colour k (0 diffuse, 1 specular).
    std::array<float, 8> DisplayColours{};
    float DisplaySpecularPower = 0.0f;
};

// Element of DisplayColours holding channel c of colour k.
constexpr std::size_t DisplayColourIndex(ColourChannel c, int colour)
{
    return 2 * std::size_t(c) + std::size_t(colour);
}

// Copies a record's colours and specular power into the entry's working copies.
void FillDisplayCopies(MaterialEntry &entry, const MaterialRecord &record);

// Every material of one scan. Rows at and beyond MaterialCount are stale and never read.
struct MaterialTable {
    int MaterialCount = 0;
    std::array<MaterialEntry, MaxMaterials> Entries{};
    std::array<MaterialRecord, MaxMaterials> Records{};
    // The bytes each row held in the file when it was scanned; a save checks the file
    // still holds them before it writes anything.
    std::array<MaterialRecord, MaxMaterials> ScannedRecords{};
    // Length of the file the last complete scan read; -1 when no scan completed.
    std::int64_t ScannedFileSize = -1;
};

// The names of the last texture chunk read, 64 NUL-padded bytes each.
struct TextureNameTable {
    int TextureCount = 0;
    std::array<std::array<char, TextureNameSize>, MaxTextureNames> Names{};

    // The slot's bytes up to its first NUL, or all 64 when it has none.
    std::string_view Name(int index) const;
};

} // namespace hueforge
