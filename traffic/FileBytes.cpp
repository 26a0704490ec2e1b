#include "traffic/FileBytes.h"

#include "traffic/LargeBlocks.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zephlan {

namespace {

constexpr std::size_t kChunk = std::size_t(1) << 26;

} // namespace

#ifdef _WIN32

std::optional<FileBytes> FileBytes::read(const std::filesystem::path &path)
{
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    FileBytes bytes;
    LARGE_INTEGER size{};
    bool ok = ::GetFileType(file) == FILE_TYPE_DISK && ::GetFileSizeEx(file, &size)
        && static_cast<unsigned long long>(size.QuadPart) < SIZE_MAX;
    if (ok) {
        const auto expected = static_cast<std::size_t>(size.QuadPart);
        bytes.m_data.reset(allocateLarge(expected));
        ok = bytes.m_data != nullptr;
        while (ok && bytes.m_size < expected) {
            DWORD got = 0;
            const auto want = static_cast<DWORD>(std::min<std::size_t>(expected - bytes.m_size, kChunk));
            ok = ::ReadFile(file, bytes.m_data.get() + bytes.m_size, want, &got, nullptr) != 0;
            if (ok && got == 0)
                break;
            bytes.m_size += got;
        }
    }
    ::CloseHandle(file);
    if (!ok)
        return std::nullopt;
    return bytes;
}

#else

std::optional<FileBytes> FileBytes::read(const std::filesystem::path &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    FileBytes bytes;
    const bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)
        && bytes.fill(fd, static_cast<std::size_t>(info.st_size));
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return bytes;
}

// Reads to the end of the file. One byte beyond the expected size lets the
// read that finds the end land inside the block; a file that grows meanwhile
// is still read whole.
bool FileBytes::fill(int fd, std::size_t expected)
{
    std::size_t capacity = expected + 1;
    m_data.reset(allocateLarge(capacity));
    if (m_data == nullptr)
        return false;
    for (;;) {
        if (m_size == capacity) {
            capacity += capacity / 2 + kChunk;
            char *const grown = static_cast<char *>(std::realloc(m_data.get(), capacity));
            if (grown == nullptr)
                return false;
            m_data.release();
            m_data.reset(grown);
        }
        const ssize_t got = ::read(fd, m_data.get() + m_size, std::min(kChunk, capacity - m_size));
        if (got == 0)
            return true;
        if (got < 0 && errno != EINTR)
            return false;
        if (got > 0)
            m_size += static_cast<std::size_t>(got);
    }
}

#endif

} // namespace zephlan
