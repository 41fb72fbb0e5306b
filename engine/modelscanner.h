#pragma once

#include "materialtable.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace hueforge {

inline constexpr std::string_view ScanErrorMessage = "Sorry. Having a problem reading this MDL";

// What a scan needs of whoever shows its results: the window, the command-line lister
// or a test.
class ScanHost {
public:
    virtual ~ScanHost() = default;
    virtual void ClearMaterialList() = 0;
    virtual void ClearTextureList() = 0;
    virtual void AppendTextureName(std::string_view name) = 0;
    virtual void RefreshMaterialList() = 0;
    virtual void SetSaveEnabled(bool enabled) = 0;
    virtual void ShowScanError(std::string_view message) = 0;
};

enum class ScanOutcome {
    Scanned,   // the whole file was read; the lists were refreshed and saving disabled
    NotOpened, // the file could not be opened; both lists were cleared, nothing else
    Failed,    // the scan stopped part way; the host was shown ScanErrorMessage
};

// Reads the file once, byte by byte, picking out every "TEXT" and "MATE" chunk into the
// tables. Rows and names read before a failure stay in the tables.
ScanOutcome ScanModelFile(const std::filesystem::path &path, MaterialTable &materials,
                          TextureNameTable &textures, ScanHost &host);

// The same scan over bytes already in memory.
ScanOutcome ScanModelBytes(std::span<const std::uint8_t> bytes, MaterialTable &materials,
                           TextureNameTable &textures, ScanHost &host);

} // namespace hueforge
