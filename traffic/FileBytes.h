#pragma once

#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

namespace zephlan {

// The bytes of a whole file, held in memory that was not cleared first.
class FileBytes
{
public:
    struct Free
    {
        void operator()(char *data) const { std::free(data); }
    };
    // A block from allocateLarge.
    using Block = std::unique_ptr<char, Free>;

    std::string_view view() const { return {m_data.get(), m_size}; }

    // The file's bytes, or nothing when it is missing, unreadable, not a
    // regular file or too large for memory. The file is closed before this
    // returns. One implementation per platform (FileBytesPosix.cpp, FileBytesWindows.cpp).
    static std::optional<FileBytes> read(const std::filesystem::path &path);

private:
    FileBytes(Block data, std::size_t size) : m_data(std::move(data)), m_size(size) {}

    Block m_data;
    std::size_t m_size = 0;
};

// The size of the pieces a file is read in.
inline constexpr std::size_t kFileReadChunk = std::size_t(1) << 26;

} // namespace zephlan
