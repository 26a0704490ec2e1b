#include "ui/common/FileSystemPath.h"

#include <QFile>

namespace zephlan {

std::filesystem::path toFilesystemPath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace zephlan
