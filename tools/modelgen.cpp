#include "modelgen.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <random>

namespace hueforge::sample {
namespace {

constexpr std::size_t VertexSize = 32; // position, normal, texture coordinate

class Writer {
public:
    std::vector<std::uint8_t> bytes;

    void Tag(const char (&tag)[5]) { bytes.insert(bytes.end(), tag, tag + 4); }
    void U32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(std::uint8_t(v >> (8 * i)));
    }
    void U16(std::uint16_t v)
    {
        bytes.push_back(std::uint8_t(v));
        bytes.push_back(std::uint8_t(v >> 8));
    }
    void F32(float v) { U32(std::bit_cast<std::uint32_t>(v)); }
    void Raw(const void *data, std::size_t size)
    {
        const auto *p = static_cast<const std::uint8_t *>(data);
        bytes.insert(bytes.end(), p, p + size);
    }

    // Starts a chunk; returns the position of its size field for EndChunk.
    std::size_t BeginChunk(const char (&tag)[5])
    {
        Tag(tag);
        U32(0);
        return bytes.size() - 4;
    }
    void EndChunk(std::size_t sizeAt)
    {
        if (bytes.size() % 2)
            bytes.push_back(0); // chunks keep an even length
        const auto size = std::uint32_t(bytes.size() - sizeAt - 4);
        for (int i = 0; i < 4; ++i)
            bytes[sizeAt + std::size_t(i)] = std::uint8_t(size >> (8 * i));
    }
};

void WriteGeometry(Writer &w, int vertexCount, std::mt19937 &random)
{
    std::uniform_real_distribution<float> position(-18.0f, 18.0f);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);

    const auto triangles = std::max(1, vertexCount - 2);
    auto chunk = w.BeginChunk("INDE");
    for (int t = 0; t < triangles; ++t) {
        w.U16(std::uint16_t(t % 65536));
        w.U16(std::uint16_t((t + 1) % 65536));
        w.U16(std::uint16_t((t + 2) % 65536));
    }
    w.EndChunk(chunk);

    const auto verb = w.BeginChunk("VERB");
    chunk = w.BeginChunk("VERT");
    for (int v = 0; v < vertexCount; ++v) {
        const float x = position(random), y = position(random) / 4, z = position(random);
        const float length = std::sqrt(x * x + y * y + z * z) + 1e-3f;
        for (float f : {x, y, z, x / length, y / length, z / length, unit(random), unit(random)})
            w.F32(f);
    }
    w.EndChunk(chunk);
    w.EndChunk(verb);

    chunk = w.BeginChunk("TRAN");
    for (int i = 0; i < 16; ++i)
        w.F32(i % 5 == 0 ? 1.0f : 0.0f);
    w.EndChunk(chunk);

    chunk = w.BeginChunk("AMAP");
    w.U32(0);
    w.U32(0);
    w.EndChunk(chunk);

    const auto lodt = w.BeginChunk("LODT");
    const auto lode = w.BeginChunk("LODE");
    w.U32(100);
    const auto part = w.BeginChunk("PART");
    for (std::uint32_t v :
         {1u, 0u, 0u, 0u, std::uint32_t(vertexCount), 0u, std::uint32_t(triangles)})
        w.U32(v);
    w.EndChunk(part);
    w.EndChunk(lode);
    w.EndChunk(lodt);
}

} // namespace

GeneratedModel GenerateModel(const ModelLayout &layout)
{
    std::mt19937 random(layout.seed);
    GeneratedModel model;
    Writer w;

    const auto riff = w.BeginChunk("RIFF");
    w.Tag("MDLX");

    auto chunk = w.BeginChunk("MDLH");
    for (std::uint32_t v : {36u, 0u, 0u, 0u, 0u, 1u, 0x3f800000u, 0x41c80000u})
        w.U32(v);
    w.EndChunk(chunk);

    chunk = w.BeginChunk("MDLG");
    for (int i = 0; i < 16; ++i)
        w.bytes.push_back(std::uint8_t(random()));
    w.EndChunk(chunk);

    chunk = w.BeginChunk("MDLN");
    w.Raw(layout.name.c_str(), layout.name.size() + 1);
    w.EndChunk(chunk);

    const auto mdld = w.BeginChunk("MDLD");
    if (!layout.textureNames.empty()) {
        chunk = w.BeginChunk("TEXT");
        for (const std::string &name : layout.textureNames) {
            char slot[64] = {};
            std::memcpy(slot, name.data(), std::min<std::size_t>(name.size(), sizeof slot));
            w.Raw(slot, sizeof slot);
        }
        w.EndChunk(chunk);
    }
    for (const auto &block : layout.materialBlocks) {
        chunk = w.BeginChunk("MATE");
        for (const MaterialRecord &record : block) {
            model.materialOffsets.push_back(std::int32_t(w.bytes.size()));
            w.Raw(record.Bytes.data(), record.Bytes.size());
        }
        w.EndChunk(chunk);
        WriteGeometry(w, layout.verticesPerBlock, random);
    }
    w.EndChunk(mdld);
    w.EndChunk(riff);

    model.bytes = std::move(w.bytes);
    return model;
}

MaterialRecord MakeMaterial(int index)
{
    MaterialRecord r;
    const float shade = float(index % 8) / 7.0f;
    r.SetFlags1(0x2 | (index % 3 == 0 ? 0x8 : 0) | (index % 4 == 1 ? 0x20 : 0));
    r.SetFlags2(index % 2 ? 0x100 : 0);
    r.SetInt(RecordOffset::DiffuseTexture, index % 4);
    r.SetInt(RecordOffset::SpecularTexture, index % 3 == 0 ? 1 : 0);
    r.SetDiffuseColor(ColourChannel::Red, 1.0f - shade);
    r.SetDiffuseColor(ColourChannel::Green, 0.5f);
    r.SetDiffuseColor(ColourChannel::Blue, shade);
    r.SetDiffuseColor(ColourChannel::Alpha, 1.0f);
    for (int c = 0; c < 3; ++c)
        r.SetSpecularColor(ColourChannel(c), 0.8f);
    r.SetSpecularColor(ColourChannel::Alpha, 1.0f);
    r.SetSpecularPower(8.0f * float(1 + index % 4));
    r.SetDetailMapScale(1.0f);
    r.SetBumpMapScale(1.0f);
    r.SetReflectionScale(index % 4 == 1 ? 0.5f : 0.0f);
    r.SetPrecipitationOffset(0.0f);
    r.SetSpecularBloomFloor(0.9f);
    r.SetAmbientLightScale(1.0f);
    r.SetSourceBlend(2);
    r.SetDestinationBlend(1);
    r.SetAlphaTestFunction(8);
    r.SetAlphaTestThreshold(0.0f);
    r.SetFinalAlphaMultiply(1.0f);
    return r;
}

ModelLayout SampleModelLayout()
{
    ModelLayout layout;
    layout.name = "Hueforge sample glider";
    layout.textureNames = {"glider_t.dds", "glider_t_bump.dds", "glider_t_spec.dds", "canopy_t.dds",
                           "panel_t.dds"};
    int index = 0;
    for (int count : {6, 4, 2}) {
        std::vector<MaterialRecord> block;
        for (int i = 0; i < count; ++i)
            block.push_back(MakeMaterial(index++));
        layout.materialBlocks.push_back(std::move(block));
    }
    layout.verticesPerBlock = 120;
    return layout;
}

ModelLayout LargeModelLayout(std::size_t targetBytes)
{
    ModelLayout layout = SampleModelLayout();
    constexpr int blocks = 4;
    layout.materialBlocks.clear();
    int index = 0;
    for (int b = 0; b < blocks; ++b) {
        std::vector<MaterialRecord> block;
        for (int i = 0; i < 40; ++i)
            block.push_back(MakeMaterial(index++));
        layout.materialBlocks.push_back(std::move(block));
    }
    // Each vertex costs its 32 bytes plus three 16-bit indices.
    layout.verticesPerBlock = int(targetBytes / blocks / (VertexSize + 6));
    return layout;
}

} // namespace hueforge::sample
