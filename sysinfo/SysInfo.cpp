#include "sysinfo/SysInfo.h"

#include "core/AppInfo.h"

#include <array>
#include <string_view>

namespace zephlan {

namespace {

// Holds a registry key open for the length of one lookup.
class OpenKey
{
public:
    OpenKey(Registry &registry, RegistryHandle handle) : m_registry(registry), m_handle(handle) {}
    ~OpenKey() { static_cast<void>(m_registry.close(m_handle)); }
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;

private:
    Registry &m_registry;
    RegistryHandle m_handle;
};

// "&h" before the bytes from last to first, each in upper-case hex without a leading zero.
std::string numberText(std::string_view bytes, std::string keyVal)
{
    static constexpr std::string_view digits = "0123456789ABCDEF";
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
        const auto value = static_cast<unsigned char>(*it);
        if (value >= 16)
            keyVal += digits[value >> 4];
        keyVal += digits[value & 15u];
    }
    return "&h" + keyVal;
}

bool locateAndStart(const SysInfoPlatform &platform)
{
    std::string path;
    const KeyLookup first =
        GetKeyValue(platform.registry, kHkeyLocalMachine, kSysInfoKeyPath, kSysInfoValuePath, path);
    if (first == KeyLookup::Fault)
        return false;
    if (first == KeyLookup::NotRead) {
        if (GetKeyValue(platform.registry, kHkeyLocalMachine, kSysInfoKeyLocation, kSysInfoValueLocation, path)
            != KeyLookup::Read)
            return false;
        if (platform.files.findFirst(path + kSysInfoProgramFile).empty())
            return false;
        path += kSysInfoProgramFile;
    }
    return platform.programs.start(path);
}

} // namespace

KeyLookup GetKeyValue(Registry &registry, std::uint32_t keyRoot, const std::string &keyName,
                      const std::string &subKeyRef, std::string &keyVal)
{
    const RegistryOpenResult opened = registry.open(keyRoot, keyName, 0, kSysInfoKeyAccess);
    if (opened.status != kErrorSuccess) {
        keyVal.clear();
        return KeyLookup::NotRead;
    }
    const OpenKey key(registry, opened.handle);

    std::array<unsigned char, kKeyValueBufferSize> buffer{};
    const RegistryQueryResult value = registry.queryValue(opened.handle, subKeyRef, buffer);
    if (value.status != kErrorSuccess) {
        keyVal.clear();
        return KeyLookup::NotRead;
    }
    // The trim looks at the last byte of the data; with no data there is no such byte.
    if (value.size == 0 || value.size > buffer.size())
        return KeyLookup::Fault;
    const std::size_t length = buffer[value.size - 1] == 0 ? value.size - 1 : value.size;
    const std::string_view text(reinterpret_cast<const char *>(buffer.data()), length);

    if (value.type == kRegSz)
        keyVal = text;
    else if (value.type == kRegDword)
        keyVal = numberText(text, keyVal);
    return KeyLookup::Read;
}

void StartSysInfo(const SysInfoPlatform &platform) noexcept
{
    bool started = false;
    try {
        started = locateAndStart(platform);
    } catch (...) {
        started = false;
    }
    if (started)
        return;
    try {
        platform.messages.showMessage(kSysInfoUnavailable, kApplicationTitle);
    } catch (...) {
        return;
    }
}

} // namespace zephlan
