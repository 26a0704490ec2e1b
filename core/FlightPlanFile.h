#pragma once

#include <filesystem>
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

// Appends the line and CR LF in one write to a file opened for appending,
// creating it when missing (but not through a symbolic link to nothing).
// It fails, too, when the path no longer names the file once the line is
// written (removed or replaced meanwhile). On failure the file is left as it
// was, and a file this call created is removed again.
FileResult AppendFlightPlanLine(const std::filesystem::path &path, std::string_view line);

} // namespace zephlan
