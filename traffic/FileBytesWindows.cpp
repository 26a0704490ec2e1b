#include "traffic/FileBytes.h"

#include "traffic/LargeBlocks.h"

#include <algorithm>
#include <cstdint>

#include <windows.h>

namespace zephlan {
namespace {

struct CloseFile
{
    void operator()(void *handle) const { ::CloseHandle(handle); }
};

// Shared for reading and writing, so that a list another program has open
// (or is writing) still reads.
std::unique_ptr<void, CloseFile> openShared(const std::filesystem::path &path)
{
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return std::unique_ptr<void, CloseFile>(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

} // namespace

std::optional<FileBytes> FileBytes::read(const std::filesystem::path &path)
{
    const auto file = openShared(path);
    LARGE_INTEGER size{};
    if (!file || ::GetFileType(file.get()) != FILE_TYPE_DISK || !::GetFileSizeEx(file.get(), &size)
        || static_cast<unsigned long long>(size.QuadPart) >= SIZE_MAX)
        return std::nullopt;
    const auto expected = static_cast<std::size_t>(size.QuadPart);
    Block data(allocateLarge(expected));
    if (data == nullptr)
        return std::nullopt;
    std::size_t filled = 0;
    while (filled < expected) {
        DWORD got = 0;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(expected - filled, kFileReadChunk));
        if (!::ReadFile(file.get(), data.get() + filled, want, &got, nullptr))
            return std::nullopt;
        if (got == 0)
            break;
        filled += got;
    }
    return FileBytes(std::move(data), filled);
}

} // namespace zephlan
