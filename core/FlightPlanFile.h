#pragma once

#include <filesystem>
#include <functional>
#include <string_view>
#include <system_error>

namespace zephlan {

// The outcome of a file operation: empty on success, else the system's reason.
struct FileResult
{
    std::error_code error;

    bool ok() const { return !error; }
    explicit operator bool() const { return ok(); }
};

// Appends the line and CR LF to the file, creating it when missing (but not
// through a symbolic link to nothing). A file that is not empty and whose last
// byte is neither LF nor CR first gets a CR LF, so the line starts a line of
// its own; nothing already in the file changes. The file must be readable and
// writable.
//
// Appenders of one file take turns: the last byte is read and the bytes are
// written within one turn, so two saves never mix. A turn that cannot be had
// refuses the save, and nothing is written.
//
// It fails, too, when the path no longer names the file once the line is
// written (removed, moved or replaced meanwhile). On any failure the bytes
// this call wrote are cut back, but only while the file still ends right
// after them: bytes someone else appended after ours are not ours to cut, and
// then ours stay before them. A file this call created is removed again only
// while it is empty after the cut-back, within the turn. No handle stays open.
//
// On Windows the file stays open to deletion and renaming by others while the
// line is written (two saves at once need it), and a removal asked for then
// takes effect only when the file is closed: the path is looked at once more
// after the close, and a file gone or moved then is reported, but its line
// can no longer be taken back (a moved file keeps it).
FileResult AppendFlightPlanLine(const std::filesystem::path &path, std::string_view line);

// For tests only: a call at each moment of the append, within its turn, so a
// test can act as another program would between two steps.
enum class AppendMoment { Opened, Written };
void setAppendSeam(std::function<void(AppendMoment)> seam);

} // namespace zephlan
