#pragma once

#include "modelscanner.h"

#include <string>
#include <vector>

namespace hueforge::testing {

// Records what a scan asked of its host.
class RecordingHost : public ScanHost {
public:
    std::vector<std::string> textureList;
    int materialListClears = 0;
    int refreshes = 0;
    std::vector<bool> saveEnabledCalls;
    std::vector<std::string> errors;

    void ClearMaterialList() override { ++materialListClears; }
    void ClearTextureList() override { textureList.clear(); }
    void AppendTextureName(std::string_view name) override { textureList.emplace_back(name); }
    void RefreshMaterialList() override { ++refreshes; }
    void SetSaveEnabled(bool enabled) override { saveEnabledCalls.push_back(enabled); }
    void ShowScanError(std::string_view message) override { errors.emplace_back(message); }
};

} // namespace hueforge::testing
