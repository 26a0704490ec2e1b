#pragma once

#include <QString>

#include <filesystem>

namespace zephlan {

// A path a dialog chose, as the file functions take it: in the system's wide
// characters on Windows, in the locale's file-name bytes elsewhere.
// One implementation per platform (FileSystemPathPosix.cpp, FileSystemPathWindows.cpp).
std::filesystem::path toFilesystemPath(const QString &path);

} // namespace zephlan
