#include "ui/about/SysInfoBackends.h"
#include "ui/about/StandInRegistry.h"

#include "ui/common/Windows1252.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>

namespace zephlan {
namespace {

constexpr RegistryHandle kStandInHandle = 1;
constexpr RegistryStatus kErrorInvalidHandle = 6;

bool sameText(const std::string &a, const std::string &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

// Folder and name pattern of the search; a backslash separates folders as it does in registry paths.
class DirectoryFileFinder final : public FileFinder
{
public:
    std::string findFirst(const std::string &pattern) override
    {
        QString path = fromWindows1252(pattern);
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QFileInfo info(path);
        if (info.fileName().isEmpty())
            return {};
        const QStringList names = QDir(info.path()).entryList({info.fileName()}, QDir::Files, QDir::Name);
        if (names.isEmpty())
            return {};
        return toWindows1252(names.first()).value_or(std::string());
    }
};

class DetachedProgramStarter final : public ProgramStarter
{
public:
    bool start(const std::string &commandLine) override
    {
        const QString program = fromWindows1252(commandLine);
        return !program.isEmpty() && QProcess::startDetached(program, {});
    }
};

} // namespace

StandInRegistry::StandInRegistry(QStringList programNames) : m_programNames(std::move(programNames)) {}

QStringList StandInRegistry::defaultProgramNames()
{
    return {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"), QStringLiteral("gnome-system-monitor")};
}

RegistryOpenResult StandInRegistry::open(std::uint32_t root, const std::string &subKey, std::uint32_t,
                                         std::uint32_t)
{
    m_programPath.clear();
    if (root != kHkeyLocalMachine || !sameText(subKey, kSysInfoKeyPath))
        return {kErrorFileNotFound, 0};
    for (const QString &name : m_programNames) {
        const QString found = QStandardPaths::findExecutable(name);
        if (found.isEmpty())
            continue;
        if (std::optional<std::string> bytes = toWindows1252(found)) {
            m_programPath = *bytes;
            return {kErrorSuccess, kStandInHandle};
        }
    }
    return {kErrorFileNotFound, 0};
}

RegistryQueryResult StandInRegistry::queryValue(RegistryHandle handle, const std::string &name,
                                                std::span<unsigned char> buffer)
{
    if (handle != kStandInHandle || m_programPath.empty())
        return {kErrorInvalidHandle, 0, 0};
    if (!sameText(name, kSysInfoValuePath))
        return {kErrorFileNotFound, 0, 0};
    const std::size_t size = m_programPath.size() + 1;
    if (size > buffer.size())
        return {kErrorMoreData, kRegSz, size};
    std::copy(m_programPath.begin(), m_programPath.end(), buffer.begin());
    buffer[size - 1] = 0;
    return {kErrorSuccess, kRegSz, size};
}

RegistryStatus StandInRegistry::close(RegistryHandle handle)
{
    return handle == kStandInHandle ? kErrorSuccess : kErrorInvalidHandle;
}

SysInfoBackends machineSysInfoBackends()
{
    return {std::make_unique<StandInRegistry>(), std::make_unique<DirectoryFileFinder>(),
            std::make_unique<DetachedProgramStarter>()};
}

} // namespace zephlan
