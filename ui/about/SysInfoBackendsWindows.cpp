#include "ui/about/SysInfoBackends.h"

#include <windows.h>

namespace zephlan {
namespace {

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

} // namespace

SysInfoBackends machineSysInfoBackends()
{
    return {std::make_unique<WindowsRegistry>(), std::make_unique<WindowsFileFinder>(),
            std::make_unique<WindowsProgramStarter>()};
}

} // namespace zephlan
