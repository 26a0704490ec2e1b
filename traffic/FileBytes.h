#pragma once

#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

namespace zephlan {

struct FileBytesRead;

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

    // The file's bytes, or why not: missing, unreadable, not a regular file
    // (a pipe is refused at once, not waited on) or too large for memory. The
    // file is only read: on Windows other programs may write, rename and
    // delete it meanwhile. It is closed before this returns. One
    // implementation per platform (FileBytesPosix.cpp, FileBytesWindows.cpp).
    static FileBytesRead read(const std::filesystem::path &path);

private:
    FileBytes(Block data, std::size_t size) : m_data(std::move(data)), m_size(size) {}

    Block m_data;
    std::size_t m_size = 0;
};

// A file's bytes, or why there are none.
struct FileBytesRead
{
    std::optional<FileBytes> bytes;
    std::error_code error;
};

// The size of the pieces a file is read in.
inline constexpr std::size_t kFileReadChunk = std::size_t(1) << 26;

} // namespace zephlan
