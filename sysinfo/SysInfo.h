#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zephlan {

// Registry values as the single-byte (ANSI) registry calls see them: texts are
// code-page bytes, status 0 is success.
using RegistryStatus = std::int32_t;
using RegistryHandle = std::uintptr_t;

inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;
// Read access only (KEY_READ): an ordinary user may not open keys under
// HKEY_LOCAL_MACHINE for writing, and the lookup only reads.
inline constexpr std::uint32_t kSysInfoKeyAccess = 0x20019u;
inline constexpr RegistryStatus kErrorSuccess = 0;
inline constexpr RegistryStatus kErrorFileNotFound = 2;
inline constexpr RegistryStatus kErrorMoreData = 234;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::size_t kKeyValueBufferSize = 1024;

struct RegistryOpenResult
{
    RegistryStatus status = kErrorFileNotFound;
    RegistryHandle handle = 0;
};

struct RegistryQueryResult
{
    RegistryStatus status = kErrorFileNotFound;
    std::uint32_t type = 0;
    std::size_t size = 0; // bytes written into the buffer, or needed when it was too small
};

class Registry
{
public:
    virtual ~Registry() = default;
    virtual RegistryOpenResult open(std::uint32_t root, const std::string &subKey, std::uint32_t options,
                                    std::uint32_t accessMask) = 0;
    // Data that does not fit the buffer gives kErrorMoreData and leaves the buffer unspecified.
    virtual RegistryQueryResult queryValue(RegistryHandle handle, const std::string &name,
                                           std::span<unsigned char> buffer) = 0;
    virtual RegistryStatus close(RegistryHandle handle) = 0;
};

class FileFinder
{
public:
    virtual ~FileFinder() = default;
    // Directory search over ordinary files: the first matching file name, or empty.
    virtual std::string findFirst(const std::string &pattern) = 0;
};

class ProgramStarter
{
public:
    virtual ~ProgramStarter() = default;
    // Starts the command line with its window shown normally and does not wait; false when nothing started.
    [[nodiscard]] virtual bool start(const std::string &commandLine) = 0;
};

class SysInfoMessages
{
public:
    virtual ~SysInfoMessages() = default;
    virtual void showMessage(const std::string &prompt, const std::string &title) = 0;
};

struct SysInfoPlatform
{
    Registry &registry;
    FileFinder &files;
    ProgramStarter &programs;
    SysInfoMessages &messages;
};

// Read: the value is in keyVal. NotRead: the key or the value is missing, and
// keyVal is emptied. Fault: a value with no data, a run-time error that skips
// every later step of the caller.
enum class KeyLookup { NotRead, Read, Fault };

KeyLookup GetKeyValue(Registry &registry, std::uint32_t keyRoot, const std::string &keyName,
                      const std::string &subKeyRef, std::string &keyVal);

// Locates the system information tool in the registry and starts it, or shows the one message.
void StartSysInfo(const SysInfoPlatform &platform) noexcept;

inline constexpr const char *kSysInfoKeyPath = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char *kSysInfoValuePath = "PATH";
inline constexpr const char *kSysInfoKeyLocation = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char *kSysInfoValueLocation = "MSINFO";
inline constexpr const char *kSysInfoProgramFile = "\\MSINFO32.EXE";
inline constexpr const char *kSysInfoUnavailable = "System Information Is Unavailable At This Time";

} // namespace zephlan
