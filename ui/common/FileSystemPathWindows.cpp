#include "ui/common/FileSystemPath.h"

namespace zephlan {

std::filesystem::path toFilesystemPath(const QString &path)
{
    return std::filesystem::path(path.toStdWString());
}

} // namespace zephlan
