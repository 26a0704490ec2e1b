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

// Reads to the end of the file. One byte beyond the expected size lets the
// read that finds the end land inside the block; a file that grows meanwhile
// is still read whole.
bool readAll(int fd, std::size_t expected, FileBytes::Block &data, std::size_t &size)
{
    std::size_t capacity = expected + 1;
    data.reset(allocateLarge(capacity));
    if (data == nullptr)
        return false;
    for (;;) {
        if (size == capacity) {
            capacity += capacity / 2 + kFileReadChunk;
            char *const grown = static_cast<char *>(std::realloc(data.get(), capacity));
            if (grown == nullptr)
                return false;
            data.release();
            data.reset(grown);
        }
        const ssize_t got = ::read(fd, data.get() + size, std::min(kFileReadChunk, capacity - size));
        if (got == 0)
            return true;
        if (got < 0 && errno != EINTR)
            return false;
        if (got > 0)
            size += static_cast<std::size_t>(got);
    }
}

} // namespace

std::optional<FileBytes> FileBytes::read(const std::filesystem::path &path)
{
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        return std::nullopt;
    struct stat info {};
    Block data;
    std::size_t size = 0;
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)
        || !readAll(file.get(), static_cast<std::size_t>(info.st_size), data, size))
        return std::nullopt;
    return FileBytes(std::move(data), size);
}

} // namespace zephlan
