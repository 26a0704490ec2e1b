#include "core/FlightPlanFilePlatform.h"

#include "core/WindowsHandle.h"

#include <tuple>

namespace zephlan {
namespace {

// Everyone shares deletion: a created file is taken away through its own
// handle (which needs delete access), and a second save opening it meanwhile
// must not fail for that. So the path is checked after the write instead.
constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The turn is a lock, and LockFileEx asks: "The handle must have been created
// with either the GENERIC_READ or GENERIC_WRITE access right." Reading is
// needed anyway for the last byte.
constexpr DWORD kAccess = GENERIC_READ | GENERIC_WRITE;

std::error_code lastError()
{
    return {static_cast<int>(::GetLastError()), std::system_category()};
}

std::error_code systemError(DWORD code)
{
    return {static_cast<int>(code), std::system_category()};
}

struct OpenedFile
{
    WindowsHandle handle;
    bool created = false;
};

WindowsHandle openPath(const std::filesystem::path &path, DWORD access, DWORD disposition, DWORD flags)
{
    return WindowsHandle(::CreateFileW(path.c_str(), access, kShare, nullptr, disposition, flags, nullptr));
}

// Opens an existing file, else creates it; a link is followed only to a file
// that exists: CREATE_NEW on the link itself fails for a link to nothing,
// which then fails to open, instead of creating the link's target.
OpenedFile openForAppend(const std::filesystem::path &path)
{
    WindowsHandle existing = openPath(path, kAccess, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (existing.valid() || ::GetLastError() != ERROR_FILE_NOT_FOUND)
        return {std::move(existing), false};
    WindowsHandle created =
        openPath(path, kAccess | DELETE, CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT);
    if (created.valid() || ::GetLastError() != ERROR_FILE_EXISTS)
        return {std::move(created), true};
    return {openPath(path, kAccess, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL), false};
}

// Appenders of one file take turns. The lock covers one byte far beyond any
// end of file, so it holds up no reader and no other writer. Without the lock
// the save is refused: two lines written at once could mix (Wine writes a
// record in more than one piece), and a line end added for a last line without
// one could come after another's line.
class AppendTurn
{
public:
    explicit AppendTurn(HANDLE file) : m_file(file)
    {
        m_place.OffsetHigh = 0x7FFFFFFF;
        if (!::LockFileEx(m_file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &m_place))
            m_error = lastError();
    }
    // A file marked for removal keeps its lock until it is closed, so the
    // removal and the end of the turn come at once.
    void keepUntilClosed() { m_keep = true; }
    ~AppendTurn()
    {
        if (!m_error && !m_keep)
            ::UnlockFileEx(m_file, 0, 1, 0, &m_place);
    }
    AppendTurn(const AppendTurn &) = delete;
    AppendTurn &operator=(const AppendTurn &) = delete;

    std::error_code error() const { return m_error; }

private:
    HANDLE m_file;
    OVERLAPPED m_place{};
    std::error_code m_error;
    bool m_keep = false;
};

OVERLAPPED at(ULONGLONG offset)
{
    OVERLAPPED place{};
    place.Offset = static_cast<DWORD>(offset);
    place.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return place;
}

std::error_code readLastByte(HANDLE file, LONGLONG size, std::optional<char> &last)
{
    if (size == 0)
        return {};
    OVERLAPPED place = at(static_cast<ULONGLONG>(size - 1));
    char byte = 0;
    DWORD read = 0;
    if (!::ReadFile(file, &byte, 1, &read, &place))
        return lastError();
    if (read == 1)
        last = byte;
    return {};
}

// Written at the end of file as it is at the moment of writing.
std::error_code writeRecord(HANDLE file, std::string_view record, DWORD &written)
{
    if (record.size() > MAXDWORD)
        return std::make_error_code(std::errc::file_too_large);
    OVERLAPPED place = at(~0ULL);
    if (!::WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, &place))
        return lastError();
    if (written != record.size())
        return systemError(ERROR_DISK_FULL);
    return {};
}

// A file's volume and index, which stay its own while a handle holds it.
using FileIdentity = std::tuple<DWORD, DWORD, DWORD>;

std::optional<FileIdentity> identityOf(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info))
        return std::nullopt;
    return std::tuple(info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow);
}

// Whether the path, opened with the given flags, still names the file of
// that identity: moved away or replaced, it names another file or none.
std::error_code pathStillNames(const std::filesystem::path &path, const FileIdentity &identity, DWORD flags)
{
    const WindowsHandle named = openPath(path, 0, OPEN_EXISTING, flags);
    if (!named.valid())
        return lastError();
    return identityOf(named.get()) == identity ? std::error_code() : systemError(ERROR_FILE_INVALID);
}

// The record went into the opened file; fails when it is being deleted or the
// path no longer names it. After the close, the same path check finds a
// removal asked for while the line was written (a file shared for deletion
// goes only when its last handle closes, and Wine does not tell it is pending).
std::error_code checkStillNamed(HANDLE file, const std::filesystem::path &path, const FileIdentity &identity)
{
    FILE_STANDARD_INFO standard{};
    if (!::GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard))
        return lastError();
    if (standard.DeletePending)
        return systemError(ERROR_FILE_NOT_FOUND);
    return pathStillNames(path, identity, FILE_FLAG_BACKUP_SEMANTICS);
}

LONGLONG sizeOf(HANDLE file)
{
    LARGE_INTEGER size{};
    return ::GetFileSizeEx(file, &size) ? size.QuadPart : -1;
}

// Takes back this call's bytes through the handle they went in by, unless the
// file no longer ends right after them: bytes appended after ours stay.
void cutBack(HANDLE file, LONGLONG before, DWORD written)
{
    if (sizeOf(file) != before + static_cast<LONGLONG>(written))
        return;
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = before;
    ::SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof end);
}

// Marks the file this call created for removal while it is empty and the path
// still names it; it goes when the handle closes.
bool removeCreated(HANDLE file, const std::filesystem::path &path, const FileIdentity &identity)
{
    FILE_DISPOSITION_INFO remove{};
    remove.DeleteFile = TRUE;
    return !pathStillNames(path, identity, FILE_FLAG_OPEN_REPARSE_POINT) && sizeOf(file) == 0
        && ::SetFileInformationByHandle(file, FileDispositionInfo, &remove, sizeof remove);
}

std::error_code appendWithinTurn(HANDLE file, const std::filesystem::path &path, const FileIdentity &identity,
                                 std::string_view line, bool created, AppendTurn &turn)
{
    reachAppendMoment(AppendMoment::Opened);
    std::error_code error;
    std::optional<char> last;
    const LONGLONG before = sizeOf(file);
    DWORD written = 0;
    if (before < 0)
        error = lastError();
    if (!error)
        error = readLastByte(file, before, last);
    if (!error)
        error = writeRecord(file, recordAfter(last, line), written);
    reachAppendMoment(AppendMoment::Written);
    if (!error)
        error = checkStillNamed(file, path, identity);
    if (error && written > 0)
        cutBack(file, before, written);
    if (error && created && removeCreated(file, path, identity))
        turn.keepUntilClosed();
    return error;
}

} // namespace

FileResult appendToFile(const std::filesystem::path &path, std::string_view line)
{
    OpenedFile file = openForAppend(path);
    if (!file.handle.valid())
        return {lastError()};
    const std::optional<FileIdentity> identity = identityOf(file.handle.get());
    if (!identity)
        return {lastError()};
    std::error_code error;
    {
        AppendTurn turn(file.handle.get());
        error = turn.error();
        if (!error)
            error = appendWithinTurn(file.handle.get(), path, *identity, line, file.created, turn);
        else if (file.created)
            removeCreated(file.handle.get(), path, *identity);
    }
    const std::error_code closed = file.handle.close();
    if (!error)
        error = closed;
    if (!error)
        error = pathStillNames(path, *identity, FILE_FLAG_BACKUP_SEMANTICS);
    return {error};
}

} // namespace zephlan
