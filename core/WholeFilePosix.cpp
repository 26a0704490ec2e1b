#include "core/WholeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zephlan {
namespace {

constexpr std::size_t kChunk = std::size_t(1) << 20;

std::error_code lastError()
{
    return {errno, std::system_category()};
}

// To the end, however long the file has grown since it was measured.
std::error_code readAll(int descriptor, std::size_t expected, std::string &bytes)
{
    bytes.resize(expected + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() + bytes.size() / 2 + kChunk);
        const ssize_t got = ::read(descriptor, bytes.data() + filled, bytes.size() - filled);
        if (got == 0)
            break;
        if (got < 0 && errno != EINTR)
            return lastError();
        if (got > 0)
            filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return {};
}

} // namespace

WholeFile readWholeFile(const std::filesystem::path &path)
{
    WholeFile file;
    // Non-blocking, so a named pipe with no writer fails at once instead of hanging the window.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        file.error = lastError();
        return file;
    }
    struct stat status{};
    if (::fstat(descriptor, &status) != 0)
        file.error = lastError();
    else if (!S_ISREG(status.st_mode))
        file.error = std::make_error_code(std::errc::invalid_argument);
    else
        file.error = readAll(descriptor, static_cast<std::size_t>(status.st_size), file.bytes);
    ::close(descriptor);
    if (file.error)
        file.bytes.clear();
    return file;
}

} // namespace zephlan
