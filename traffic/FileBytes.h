#pragma once

#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace zephlan {

// The bytes of a whole file, held in memory that was not cleared first.
class FileBytes
{
public:
    std::string_view view() const { return {m_data.get(), m_size}; }

    // The file's bytes, or nothing when it is missing, unreadable, not a
    // regular file or too large for memory. The file is closed before this returns.
    static std::optional<FileBytes> read(const std::filesystem::path &path);

private:
    struct Free
    {
        void operator()(char *data) const { std::free(data); }
    };

    FileBytes() = default;
    bool fill(int fd, std::size_t expected);

    std::unique_ptr<char, Free> m_data;
    std::size_t m_size = 0;
};

} // namespace zephlan
