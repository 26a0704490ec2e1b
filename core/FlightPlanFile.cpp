#include "core/FlightPlanFile.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zephlan {
namespace {

std::string recordOf(std::string_view line)
{
    std::string record(line);
    record += "\r\n";
    return record;
}

#ifdef _WIN32

std::error_code lastError()
{
    return {static_cast<int>(::GetLastError()), std::system_category()};
}

bool sameFile(HANDLE a, HANDLE b)
{
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return ::GetFileInformationByHandle(a, &first) && ::GetFileInformationByHandle(b, &second)
        && first.dwVolumeSerialNumber == second.dwVolumeSerialNumber
        && first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

// The append handle cannot set the end of file, so a second handle cuts back,
// provided the path still names the file the line went into.
void cutBack(HANDLE appended, const std::filesystem::path &path, LARGE_INTEGER size)
{
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    if (sameFile(appended, file) && ::SetFilePointerEx(file, size, nullptr, FILE_BEGIN))
        ::SetEndOfFile(file);
    ::CloseHandle(file);
}

// Removes the file this call created, provided the path still names it.
// Asked while the append handle still holds the file, so its index cannot
// have gone to another file; the removal takes effect when that handle closes.
void removeCreated(HANDLE appended, const std::filesystem::path &path)
{
    const HANDLE named = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (named == INVALID_HANDLE_VALUE)
        return;
    const bool same = sameFile(appended, named);
    ::CloseHandle(named);
    if (same)
        ::DeleteFileW(path.c_str());
}

// Appenders of one file take turns. An append handle puts each write at the
// end, but not every file system does so in one piece (Wine's does not), and
// two lines written at once could mix. The lock covers one byte far beyond any
// end of file, so it holds up no reader and no other writer.
class AppendTurn
{
public:
    explicit AppendTurn(HANDLE file) : m_file(file)
    {
        m_place.OffsetHigh = 0x7FFFFFFF;
        m_held = ::LockFileEx(m_file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &m_place) != 0;
    }
    ~AppendTurn()
    {
        if (m_held)
            ::UnlockFileEx(m_file, 0, 1, 0, &m_place);
    }
    AppendTurn(const AppendTurn &) = delete;
    AppendTurn &operator=(const AppendTurn &) = delete;

private:
    HANDLE m_file;
    OVERLAPPED m_place{};
    bool m_held = false;
};

} // namespace

FileResult AppendFlightPlanLine(const std::filesystem::path &path, std::string_view line)
{
    const std::string record = recordOf(line);
    if (record.size() > MAXDWORD)
        return {std::make_error_code(std::errc::file_too_large)};
    // Shared for deletion too, so that a file this call created can be taken
    // away again while it is still held.
    const HANDLE file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {lastError()};
    const bool created = ::GetLastError() != ERROR_ALREADY_EXISTS;

    std::error_code error;
    LARGE_INTEGER before{};
    DWORD written = 0;
    {
        const AppendTurn turn(file);
        if (!::GetFileSizeEx(file, &before))
            error = lastError();
        else if (!::WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr))
            error = lastError();
        else if (written != record.size())
            error = std::make_error_code(std::errc::no_space_on_device);
        if (error && written > 0 && !created)
            cutBack(file, path, before);
    }
    if (error && created)
        removeCreated(file, path);
    if (!::CloseHandle(file) && !error)
        error = lastError();
    return {error};
}

#else

std::error_code lastError()
{
    return {errno, std::system_category()};
}

struct OpenedFile
{
    int descriptor = -1;
    bool created = false;
};

// Opens for appending; a file that is missing is created, and it is known
// whether this call created it, so a failed first line can take it away again.
// A file is only ever created by O_EXCL, which does not follow a symbolic
// link: a link to nothing fails with ENOENT instead of creating its target,
// a file in a place the user never chose (a link into a drive that is not
// mounted would put it on the mount point).
OpenedFile openForAppend(const char *path)
{
    // Non-blocking, so a named pipe with no reader fails at once instead of hanging the window.
    constexpr int kFlags = O_WRONLY | O_APPEND | O_CLOEXEC | O_NONBLOCK;
    const int descriptor = ::open(path, kFlags);
    if (descriptor >= 0 || errno != ENOENT)
        return {descriptor, false};
    const int created = ::open(path, kFlags | O_CREAT | O_EXCL, 0666);
    if (created >= 0)
        return {created, true};
    if (errno != EEXIST)
        return {};
    // Created by someone else meanwhile, or a link to nothing: opened as it is now.
    return {::open(path, kFlags), false};
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

// Removes the file this call created, provided the path still names it.
// Compared while the descriptor is open, so the file's inode number cannot
// have been given to another file meanwhile.
void removeCreated(int descriptor, const char *path)
{
    struct stat opened{};
    struct stat named{};
    if (::fstat(descriptor, &opened) == 0 && opened.st_size == 0 && ::lstat(path, &named) == 0
        && sameFile(opened, named))
        ::unlink(path);
}

} // namespace

FileResult AppendFlightPlanLine(const std::filesystem::path &path, std::string_view line)
{
    const std::string record = recordOf(line);
    const OpenedFile file = openForAppend(path.c_str());
    if (file.descriptor < 0)
        return {lastError()};

    std::size_t written = 0;
    std::error_code error = writeRecord(file.descriptor, record, written);
    if (!error)
        error = checkStillNamed(file.descriptor, path.c_str());
    if (error && written > 0)
        cutBack(file.descriptor, written);
    if (error && file.created)
        removeCreated(file.descriptor, path.c_str());
    if (::close(file.descriptor) != 0 && !error)
        error = lastError();
    return {error};
}

#endif

} // namespace zephlan
