#include "materialwriter.h"

#include "modelfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace hueforge {
namespace {

std::string WithSystemReason(const std::string &what, int error)
{
    return error ? what + ": " + std::strerror(error) : what;
}

SaveResult Failure(SaveStatus status, std::string reason)
{
    return {status, std::move(reason)};
}

bool Seek(std::FILE *file, std::int64_t offset)
{
#ifdef _WIN32
    return _fseeki64(file, offset, SEEK_SET) == 0;
#else
    return fseeko(file, off_t(offset), SEEK_SET) == 0;
#endif
}

std::int64_t FileLength(std::FILE *file)
{
#ifdef _WIN32
    if (_fseeki64(file, 0, SEEK_END) != 0)
        return -1;
    return _ftelli64(file);
#else
    if (fseeko(file, 0, SEEK_END) != 0)
        return -1;
    return ftello(file);
#endif
}

std::string RowText(int row, std::int32_t offset)
{
    char text[64];
    std::snprintf(text, sizeof text, "material %d at offset %08X", row + 1, unsigned(offset));
    return text;
}

// Checks that the open file is still the one the table was scanned from.
SaveResult VerifyUnchanged(std::FILE *file, const MaterialTable &materials)
{
    const auto *rowsEnd = materials.Entries.begin() + materials.MaterialCount;
    if (std::none_of(materials.Entries.begin(), rowsEnd,
                     [](const MaterialEntry &entry) { return entry.Modified != 0; }))
        return {}; // nothing will be written

    const std::int64_t length = FileLength(file);
    if (length < 0)
        return Failure(SaveStatus::WriteFailed,
                       WithSystemReason("Could not read the length of the file", errno));
    if (materials.ScannedFileSize < 0 || length != materials.ScannedFileSize)
        return Failure(SaveStatus::ChangedOnDisk,
                       "The file has changed on disk since it was read (its length differs). "
                       "Nothing was written; rescan it and make the changes again.");

    for (int row = 0; row < materials.MaterialCount; ++row) {
        const MaterialEntry &entry = materials.Entries[std::size_t(row)];
        if (!entry.Modified)
            continue;
        if (entry.FileOffset < 0 ||
            std::int64_t(entry.FileOffset) + std::int64_t(MaterialRecordSize) > length)
            return Failure(SaveStatus::ChangedOnDisk,
                           "The record of " + RowText(row, entry.FileOffset) +
                               " lies past the end of the file. Nothing was written.");
        MaterialRecord onDisk;
        if (!Seek(file, entry.FileOffset) ||
            std::fread(onDisk.Bytes.data(), 1, MaterialRecordSize, file) != MaterialRecordSize)
            return Failure(
                SaveStatus::WriteFailed,
                WithSystemReason("Could not read " + RowText(row, entry.FileOffset), errno));
        if (onDisk != materials.ScannedRecords[std::size_t(row)])
            return Failure(SaveStatus::ChangedOnDisk,
                           "The file has changed on disk since it was read (" +
                               RowText(row, entry.FileOffset) +
                               " differs). Nothing was written; rescan it and make the "
                               "changes again.");
    }
    return {};
}

} // namespace

SaveResult WriteModifiedMaterials(const std::filesystem::path &path, const MaterialTable &materials)
{
    errno = 0;
    FileHandle file = OpenFile(path, "r+b");
    if (!file)
        return Failure(SaveStatus::NotOpened,
                       WithSystemReason("Could not open the file for writing", errno));

    if (SaveResult check = VerifyUnchanged(file.get(), materials);
        check.Status != SaveStatus::Saved)
        return check;

    for (int row = 0; row < materials.MaterialCount; ++row) {
        const MaterialEntry &entry = materials.Entries[std::size_t(row)];
        if (!entry.Modified)
            continue;
        errno = 0;
        const auto &bytes = materials.Records[std::size_t(row)].Bytes;
        if (!Seek(file.get(), entry.FileOffset) ||
            std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
            return Failure(
                SaveStatus::WriteFailed,
                WithSystemReason("Could not write " + RowText(row, entry.FileOffset), errno));
    }

    errno = 0;
    if (std::fflush(file.get()) != 0)
        return Failure(SaveStatus::WriteFailed,
                       WithSystemReason("Could not write the file", errno));
    if (std::fclose(file.release()) != 0)
        return Failure(SaveStatus::WriteFailed,
                       WithSystemReason("Could not close the file", errno));
    return {};
}

} // namespace hueforge
