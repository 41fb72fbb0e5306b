#include "modelscanner.h"

#include "modelfile.h"
#include "tagsearch.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace hueforge {
namespace {

constexpr std::size_t BufferSize = 64 * 1024;
constexpr std::int64_t MaxTextureBytes = std::int64_t(MaxTextureNames) * TextureNameSize;

class ScanFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A forward-only buffered byte stream over a file or a block of memory.
class ByteStream {
public:
    explicit ByteStream(std::FILE *file) : file_(file) {}
    explicit ByteStream(std::span<const std::uint8_t> bytes)
        : bufferStart_(bytes.data()), next_(bytes.data()), end_(bytes.data() + bytes.size())
    {
    }

    // The next byte, or -1 at the end of the data.
    int Get()
    {
        if (next_ == end_ && !Refill())
            return -1;
        return *next_++;
    }

    // Consumes bytes up to the next 'T' or 'M' that the following byte does not already
    // rule out as a tag, and returns it; -1 at the end.
    int NextTagStart()
    {
        for (;;) {
            const std::uint8_t *end = end_;
            const std::uint8_t *p = FindTagStart(next_, end);
            if (p != end) {
                // Most starts fail at the second letter; that byte is consumed with them.
                if (end - p > 1 && p[1] != (*p == 'T' ? 'E' : 'A')) {
                    next_ = p + 2;
                    continue;
                }
                next_ = p + 1;
                return *p;
            }
            next_ = end;
            if (!Refill())
                return -1;
        }
    }

    // Copies up to count bytes into target; returns how many the data still held.
    std::size_t Read(std::uint8_t *target, std::size_t count)
    {
        std::size_t done = 0;
        while (done < count) {
            if (next_ == end_ && !Refill())
                break;
            const auto chunk = std::min<std::size_t>(count - done, std::size_t(end_ - next_));
            std::memcpy(target + done, next_, chunk);
            next_ += chunk;
            done += chunk;
        }
        return done;
    }

    void Skip(std::uint64_t count)
    {
        while (count > 0) {
            if (next_ == end_ && !Refill())
                return;
            const auto chunk = std::min<std::uint64_t>(count, std::uint64_t(end_ - next_));
            next_ += chunk;
            count -= chunk;
        }
    }

    // Offset of the next byte from the start of the data.
    std::int64_t Position() const { return consumedBefore_ + (next_ - bufferStart_); }

private:
    bool Refill()
    {
        if (!file_)
            return false;
        consumedBefore_ += end_ - bufferStart_;
        const std::size_t got = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        if (got == 0 && std::ferror(file_))
            throw ScanFailure("read error");
        bufferStart_ = next_ = buffer_.data();
        end_ = buffer_.data() + got;
        return got > 0;
    }

    std::FILE *file_ = nullptr;
    const std::uint8_t *bufferStart_ = nullptr;
    const std::uint8_t *next_ = nullptr;
    const std::uint8_t *end_ = nullptr;
    std::int64_t consumedBefore_ = 0;
    std::array<std::uint8_t, BufferSize> buffer_;
};

class Scanner {
public:
    Scanner(ByteStream &stream, MaterialTable &materials, TextureNameTable &textures,
            ScanHost &host)
        : stream_(stream), materials_(materials), textures_(textures), host_(host)
    {
    }

    void Run()
    {
        for (;;) {
            const int byte = stream_.NextTagStart();
            if (byte < 0)
                break;
            if (byte == 'T' && MatchRest("EXT"))
                ReadTextureChunk(ReadChunkSize());
            else if (byte == 'M' && MatchRest("ATE"))
                ReadMaterialChunk(ReadChunkSize());
        }
        materials_.ScannedFileSize = stream_.Position();
    }

private:
    // Compares the following bytes one at a time; the first that differs is consumed.
    bool MatchRest(const char *rest)
    {
        for (; *rest; ++rest) {
            if (stream_.Get() != static_cast<unsigned char>(*rest))
                return false;
        }
        return true;
    }

    // Little-endian signed size; negative when the data ends inside it.
    std::int32_t ReadChunkSize()
    {
        std::uint32_t size = 0;
        for (int i = 0; i < 4; ++i) {
            const int byte = stream_.Get();
            if (byte < 0)
                return -1;
            size |= std::uint32_t(byte) << (8 * i);
        }
        return static_cast<std::int32_t>(size);
    }

    void ReadTextureChunk(std::int32_t size)
    {
        textures_.TextureCount = 0;
        host_.ClearTextureList();
        if (size <= 0)
            return;

        // Names beyond the table's capacity are consumed but not kept.
        const auto wanted = std::min<std::int64_t>(size, MaxTextureBytes);
        auto *names = reinterpret_cast<std::uint8_t *>(textures_.Names.data());
        const auto got = std::int64_t(stream_.Read(names, std::size_t(wanted)));
        stream_.Skip(std::uint64_t(size - wanted));

        // A name cut short by the end of the file keeps what was read; the rest of its
        // slot is cleared so nothing of an earlier file shows through.
        const auto wholeNames = wanted / TextureNameSize;
        const auto namesTouched = (got + TextureNameSize - 1) / TextureNameSize;
        const auto count = std::min(wholeNames, namesTouched);
        std::fill(names + got, names + std::max(got, count * TextureNameSize), std::uint8_t(0));

        textures_.TextureCount = int(count);
        for (int i = 0; i < textures_.TextureCount; ++i)
            host_.AppendTextureName(textures_.Name(i));
    }

    void ReadMaterialChunk(std::int32_t size)
    {
        const std::int32_t count = size / std::int32_t(MaterialRecordSize);
        const std::int64_t firstOffset = stream_.Position();
        ++blockNumber_;
        for (std::int32_t j = 0; j < count; ++j) {
            const std::int64_t offset = firstOffset + std::int64_t(MaterialRecordSize) * j;
            if (materials_.MaterialCount == MaxMaterials)
                throw ScanFailure("more materials than the table holds");
            if (offset > std::numeric_limits<std::int32_t>::max())
                throw ScanFailure("material beyond a 32-bit file offset");

            const int row = materials_.MaterialCount;
            MaterialRecord &record = materials_.Records[std::size_t(row)];
            if (stream_.Read(record.Bytes.data(), MaterialRecordSize) < MaterialRecordSize)
                return; // cut short by the end of the file: not a material
            materials_.ScannedRecords[std::size_t(row)] = record;

            MaterialEntry &entry = materials_.Entries[std::size_t(row)];
            entry.FileOffset = std::int32_t(offset);
            entry.Modified = 0;
            entry.BlockNumber = blockNumber_;
            FillDisplayCopies(entry, record);
            ++materials_.MaterialCount;
        }
    }

    ByteStream &stream_;
    MaterialTable &materials_;
    TextureNameTable &textures_;
    ScanHost &host_;
    std::int32_t blockNumber_ = 0;
};

void BeginScan(MaterialTable &materials, ScanHost &host)
{
    host.ClearMaterialList();
    host.ClearTextureList();
    materials.MaterialCount = 0;
    materials.ScannedFileSize = -1;
}

ScanOutcome FinishScan(ScanHost &host)
{
    host.RefreshMaterialList();
    host.SetSaveEnabled(false);
    return ScanOutcome::Scanned;
}

ScanOutcome ReportFailure(ScanHost &host)
{
    host.ShowScanError(ScanErrorMessage);
    return ScanOutcome::Failed;
}

} // namespace

ScanOutcome ScanModelFile(const std::filesystem::path &path, MaterialTable &materials,
                          TextureNameTable &textures, ScanHost &host)
{
    BeginScan(materials, host);
    try {
        FileHandle file = OpenFile(path, "rb");
        if (!file)
            return ScanOutcome::NotOpened;
        std::setvbuf(file.get(), nullptr, _IONBF, 0); // the scanner buffers for itself
        {
            ByteStream stream(file.get());
            Scanner(stream, materials, textures, host).Run();
        }
        file.reset();
        return FinishScan(host);
    } catch (...) {
        return ReportFailure(host);
    }
}

ScanOutcome ScanModelBytes(std::span<const std::uint8_t> bytes, MaterialTable &materials,
                           TextureNameTable &textures, ScanHost &host)
{
    BeginScan(materials, host);
    try {
        ByteStream stream(bytes);
        Scanner(stream, materials, textures, host).Run();
        return FinishScan(host);
    } catch (...) {
        return ReportFailure(host);
    }
}

} // namespace hueforge
