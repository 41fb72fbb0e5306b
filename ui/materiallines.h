#pragma once

#include "materialtable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace hueforge {

// What the material list shows in each line: the item of the "Property to display in
// list" chooser. Any value other than Specular and Specularity shows the diffuse colour.
enum class DisplayProperty { Diffuse = 0, Specular = 1, Specularity = 2 };

// A channel times 255, truncated toward zero. NaN gives 0; values beyond the 64-bit range
// saturate.
std::int64_t ChannelToByte(float channel);

// "LOD" for every filter index of the file dialog except 2, the scenery filter.
std::string_view LinePrefix(int filterIndex);

// One list line; position is the 1-based row number printed in the third field.
std::string FormatMaterialLine(std::string_view prefix, int displayProperty,
                               const MaterialEntry &entry, int position);

std::string MaterialCountText(int count);

} // namespace hueforge
