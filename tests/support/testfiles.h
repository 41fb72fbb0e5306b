#pragma once

#include "materialrecord.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace hueforge::testing {

using Bytes = std::vector<std::uint8_t>;

// A folder of its own for each test, removed with everything in it.
class TempDir {
public:
    TempDir()
    {
        static std::atomic<int> counter{0};
        static const auto run = std::random_device{}();
        path_ = std::filesystem::temp_directory_path() /
                ("hueforge-test-" + std::to_string(run) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return path_; }
    std::filesystem::path file(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline void WriteFileBytes(const std::filesystem::path &path, const Bytes &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
}

inline Bytes ReadFileBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Builds a byte sequence piece by piece for hand-made model files.
class ByteBuilder {
public:
    ByteBuilder &Text(std::string_view text)
    {
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    ByteBuilder &U32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(std::uint8_t(v >> (8 * i)));
        return *this;
    }
    ByteBuilder &Fill(std::size_t count, std::uint8_t value = 0)
    {
        bytes_.insert(bytes_.end(), count, value);
        return *this;
    }
    ByteBuilder &Chunk(std::string_view tag, std::uint32_t size) { return Text(tag).U32(size); }
    ByteBuilder &Name(std::string_view name)
    {
        Text(name);
        return Fill(64 - name.size());
    }
    ByteBuilder &Record(const MaterialRecord &record)
    {
        bytes_.insert(bytes_.end(), record.Bytes.begin(), record.Bytes.end());
        return *this;
    }
    std::size_t size() const { return bytes_.size(); }
    const Bytes &bytes() const { return bytes_; }

private:
    Bytes bytes_;
};

} // namespace hueforge::testing
