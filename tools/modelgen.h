#pragma once

#include "materialrecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hueforge::sample {

// What a generated model holds. Each material block becomes one "MATE" chunk followed by
// that level of detail's geometry, as in real models with several levels of detail.
struct ModelLayout {
    std::string name = "Sample";
    std::vector<std::string> textureNames;
    std::vector<std::vector<MaterialRecord>> materialBlocks;
    int verticesPerBlock = 96;
    std::uint32_t seed = 1;
};

struct GeneratedModel {
    std::vector<std::uint8_t> bytes;
    std::vector<std::int32_t> materialOffsets; // file offset of every record, in file order
};

// Lays a model out as the simulator writes it: "RIFF" size "MDLX", then "MDLH", "MDLG",
// "MDLN" and "MDLD" holding "TEXT", then per block "MATE", "INDE", "VERB"/"VERT", "TRAN",
// "AMAP" and "LODT". Vertex data is pseudo-random but fixed by the seed.
GeneratedModel GenerateModel(const ModelLayout &layout);

// A plausible material: the diffuse colour, scales and flags vary with the index.
MaterialRecord MakeMaterial(int index);

// The model shipped as samples/sample.mdl.
ModelLayout SampleModelLayout();

// A model of about targetBytes bytes, mostly vertex data, for benchmarks.
ModelLayout LargeModelLayout(std::size_t targetBytes);

} // namespace hueforge::sample
