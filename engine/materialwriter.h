#pragma once

#include "materialtable.h"

#include <filesystem>
#include <string>

namespace hueforge {

enum class SaveStatus {
    Saved,         // every modified row was written and the file closed cleanly
    NotOpened,     // the file could not be opened for update; nothing was written
    ChangedOnDisk, // the file no longer holds what the last scan read; nothing was written
    WriteFailed,   // positioning, writing, flushing or closing failed part way
};

struct SaveResult {
    SaveStatus Status = SaveStatus::Saved;
    std::string Reason; // empty when saved; otherwise a sentence for the user
};

// Writes the record of every modified row over the 120 bytes it was read from, in
// ascending row order. The file is opened for update ("r+b"): it is never created nor
// truncated, and its length never changes. Before anything is written, the file's length
// and the bytes at each modified row are checked against what the last scan read.
SaveResult WriteModifiedMaterials(const std::filesystem::path &path,
                                  const MaterialTable &materials);

} // namespace hueforge
