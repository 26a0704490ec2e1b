#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace zephlan {

// A whole file's bytes, or why it could not be read.
struct WholeFile
{
    std::string bytes;
    std::error_code error;

    bool ok() const { return !error; }
};

// Reads a regular file to its end. It is only read: nothing is locked, and on
// Windows other programs may read, write, rename and delete it meanwhile. The
// file is closed before this returns.
WholeFile readWholeFile(const std::filesystem::path &path);

} // namespace zephlan
