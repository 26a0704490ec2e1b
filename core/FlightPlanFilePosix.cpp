#include "core/FlightPlanFilePlatform.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zephlan {
namespace {

std::error_code lastError()
{
    return {errno, std::system_category()};
}

struct OpenedFile
{
    int descriptor = -1;
    bool created = false;
    bool regular = true;
};

// Opens for reading (the last byte) and appending; a file that is missing is
// created, and it is known whether this call created it, so a failed first
// line can take it away again. A file is only ever created by O_EXCL, which
// does not follow a symbolic link: a link to nothing fails with ENOENT instead
// of creating its target, a file in a place the user never chose (a link into
// a drive that is not mounted would put it on the mount point).
OpenedFile openForAppend(const char *path)
{
    // Non-blocking, so a named pipe with no reader fails at once instead of hanging the window.
    constexpr int kFlags = O_RDWR | O_APPEND | O_CLOEXEC | O_NONBLOCK;
    int descriptor = ::open(path, kFlags);
    if (descriptor < 0 && errno == ENOENT) {
        const int created = ::open(path, kFlags | O_CREAT | O_EXCL, 0666);
        if (created >= 0 || errno != EEXIST)
            return {created, true};
        // Created by someone else meanwhile, or a link to nothing: opened as it is now.
        descriptor = ::open(path, kFlags);
    }
    struct stat status{};
    if (descriptor < 0 || (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)))
        return {descriptor, false};
    // A pipe or a device has no last byte, and opened for reading a pipe would
    // be its own reader: it is opened for writing alone, as a writer would.
    ::close(descriptor);
    return {::open(path, O_WRONLY | O_APPEND | O_CLOEXEC | O_NONBLOCK), false, false};
}

std::error_code takeTurn(int descriptor)
{
    while (::flock(descriptor, LOCK_EX) != 0)
        if (errno != EINTR)
            return lastError();
    return {};
}

std::error_code readLastByte(int descriptor, std::optional<char> &last)
{
    struct stat status{};
    if (::fstat(descriptor, &status) != 0)
        return lastError();
    char byte = 0;
    if (status.st_size > 0 && ::pread(descriptor, &byte, 1, status.st_size - 1) != 1)
        return errno ? lastError() : std::make_error_code(std::errc::io_error);
    if (status.st_size > 0)
        last = byte;
    return {};
}

// One write carries the whole record; a short write goes on only to learn why.
std::error_code writeRecord(int descriptor, std::string_view record, std::size_t &written)
{
    while (written < record.size()) {
        const ssize_t count = ::write(descriptor, record.data() + written, record.size() - written);
        if (count > 0)
            written += static_cast<std::size_t>(count);
        else if (count < 0 && errno != EINTR)
            return lastError();
        else if (count == 0)
            return std::make_error_code(std::errc::io_error);
    }
    return {};
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The record went into the opened file; fails when the path no longer names
// it (removed, moved away or replaced after the open), as the line would then
// sit where the user does not look for it.
std::error_code checkStillNamed(int descriptor, const char *path)
{
    struct stat opened{};
    struct stat named{};
    if (::fstat(descriptor, &opened) != 0 || ::stat(path, &named) != 0)
        return lastError();
    if (sameFile(opened, named))
        return {};
    if (S_ISDIR(named.st_mode))
        return std::make_error_code(std::errc::is_a_directory);
    return {ESTALE, std::generic_category()};
}

// Takes back the written bytes of this call, which O_APPEND put at the end,
// unless someone appended after them: their lines are not ours to cut.
void cutBack(int descriptor, std::size_t written)
{
    const off_t end = ::lseek(descriptor, 0, SEEK_CUR);
    struct stat now{};
    if (end >= static_cast<off_t>(written) && ::fstat(descriptor, &now) == 0 && now.st_size == end)
        (void)::ftruncate(descriptor, end - static_cast<off_t>(written));
}

// Removes the file this call created while it is empty and the path still
// names it. Compared while the descriptor is open, so the file's inode number
// cannot have been given to another file meanwhile.
void removeCreated(int descriptor, const char *path)
{
    struct stat opened{};
    struct stat named{};
    if (::fstat(descriptor, &opened) == 0 && opened.st_size == 0 && ::lstat(path, &named) == 0
        && sameFile(opened, named))
        ::unlink(path);
}

} // namespace

FileResult appendToFile(const std::filesystem::path &path, std::string_view line)
{
    const OpenedFile file = openForAppend(path.c_str());
    if (file.descriptor < 0)
        return {lastError()};

    // The turn is the file's lock, released when the descriptor closes.
    std::error_code error = file.regular ? takeTurn(file.descriptor) : std::error_code();
    std::size_t written = 0;
    if (!error) {
        reachAppendMoment(AppendMoment::Opened);
        std::optional<char> last;
        if (file.regular)
            error = readLastByte(file.descriptor, last);
        if (!error)
            error = writeRecord(file.descriptor, recordAfter(last, line), written);
        reachAppendMoment(AppendMoment::Written);
        if (!error)
            error = checkStillNamed(file.descriptor, path.c_str());
        if (error && written > 0)
            cutBack(file.descriptor, written);
    }
    if (error && file.created)
        removeCreated(file.descriptor, path.c_str());
    if (::close(file.descriptor) != 0 && !error)
        error = lastError();
    return {error};
}

} // namespace zephlan
