#include "ui/about/SysInfoBackends.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "ui/common/Windows1252.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>
#endif

namespace zephlan {

namespace {

#ifdef _WIN32

HKEY keyFromHandle(RegistryHandle handle)
{
    return reinterpret_cast<HKEY>(handle);
}

class WindowsRegistry final : public Registry
{
public:
    RegistryOpenResult open(std::uint32_t root, const std::string &subKey, std::uint32_t options,
                            std::uint32_t accessMask) override
    {
        // The predefined root keys are 32-bit values sign-extended to the width of a handle.
        const auto rootKey = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
        HKEY key = nullptr;
        const LONG status = RegOpenKeyExA(rootKey, subKey.c_str(), options, accessMask, &key);
        return {static_cast<RegistryStatus>(status), reinterpret_cast<RegistryHandle>(key)};
    }

    RegistryQueryResult queryValue(RegistryHandle handle, const std::string &name,
                                   std::span<unsigned char> buffer) override
    {
        DWORD type = 0;
        auto size = static_cast<DWORD>(buffer.size());
        const LONG status = RegQueryValueExA(keyFromHandle(handle), name.c_str(), nullptr, &type, buffer.data(), &size);
        return {static_cast<RegistryStatus>(status), static_cast<std::uint32_t>(type), static_cast<std::size_t>(size)};
    }

    RegistryStatus close(RegistryHandle handle) override
    {
        return static_cast<RegistryStatus>(RegCloseKey(keyFromHandle(handle)));
    }
};

class WindowsFileFinder final : public FileFinder
{
public:
    std::string findFirst(const std::string &pattern) override
    {
        constexpr DWORD notOrdinary = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        WIN32_FIND_DATAA found{};
        const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return {};
        std::string name;
        do {
            if ((found.dwFileAttributes & notOrdinary) == 0)
                name = found.cFileName;
        } while (name.empty() && FindNextFileA(search, &found));
        FindClose(search);
        return name;
    }
};

class WindowsProgramStarter final : public ProgramStarter
{
public:
    bool start(const std::string &commandLine) override
    {
        if (commandLine.empty())
            return false;
        std::string writable = commandLine;
        STARTUPINFOA startup{};
        startup.cb = static_cast<DWORD>(sizeof startup);
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process))
            return false;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
};

#else

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

#endif

} // namespace

#ifndef _WIN32

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

#else

SysInfoBackends machineSysInfoBackends()
{
    return {std::make_unique<WindowsRegistry>(), std::make_unique<WindowsFileFinder>(),
            std::make_unique<WindowsProgramStarter>()};
}

#endif

} // namespace zephlan
