#include "traffic/FileBytes.h"

#include "traffic/LargeBlocks.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zephlan {
namespace {

// A descriptor closed when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }

private:
    int m_fd;
};

std::error_code lastError()
{
    return {errno, std::system_category()};
}

// Reads to the end of the file. One byte beyond the expected size lets the
// read that finds the end land inside the block; a file that grows meanwhile
// is still read whole.
std::error_code readAll(int fd, std::size_t expected, FileBytes::Block &data, std::size_t &size)
{
    std::size_t capacity = expected + 1;
    data.reset(allocateLarge(capacity));
    if (data == nullptr)
        return std::make_error_code(std::errc::not_enough_memory);
    for (;;) {
        if (size == capacity) {
            capacity += capacity / 2 + kFileReadChunk;
            char *const grown = static_cast<char *>(std::realloc(data.get(), capacity));
            if (grown == nullptr)
                return std::make_error_code(std::errc::not_enough_memory);
            data.release();
            data.reset(grown);
        }
        const ssize_t got = ::read(fd, data.get() + size, std::min(kFileReadChunk, capacity - size));
        if (got == 0)
            return {};
        if (got < 0 && errno != EINTR)
            return lastError();
        if (got > 0)
            size += static_cast<std::size_t>(got);
    }
}

} // namespace

FileBytesRead FileBytes::read(const std::filesystem::path &path)
{
    // Non-blocking, so that a named pipe with no writer fails at once.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        return {std::nullopt, lastError()};
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return {std::nullopt, lastError()};
    if (!S_ISREG(info.st_mode))
        return {std::nullopt, std::make_error_code(std::errc::invalid_argument)};
    Block data;
    std::size_t size = 0;
    if (const std::error_code error = readAll(file.get(), static_cast<std::size_t>(info.st_size), data, size))
        return {std::nullopt, error};
    return {FileBytes(std::move(data), size), {}};
}

} // namespace zephlan
