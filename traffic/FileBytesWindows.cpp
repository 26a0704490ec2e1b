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

std::error_code lastError()
{
    return {static_cast<int>(::GetLastError()), std::system_category()};
}

} // namespace

FileBytesRead FileBytes::read(const std::filesystem::path &path)
{
    // Everything shared, so that a file another program has open, even one
    // writing or about to delete it, still reads.
    const HANDLE opened = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return {std::nullopt, lastError()};
    const std::unique_ptr<void, CloseFile> file(opened);
    LARGE_INTEGER size{};
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        return {std::nullopt, std::make_error_code(std::errc::invalid_argument)};
    if (!::GetFileSizeEx(file.get(), &size))
        return {std::nullopt, lastError()};
    if (static_cast<unsigned long long>(size.QuadPart) >= SIZE_MAX)
        return {std::nullopt, std::make_error_code(std::errc::file_too_large)};
    const auto expected = static_cast<std::size_t>(size.QuadPart);
    Block data(allocateLarge(expected));
    if (data == nullptr)
        return {std::nullopt, std::make_error_code(std::errc::not_enough_memory)};
    std::size_t filled = 0;
    while (filled < expected) {
        DWORD got = 0;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(expected - filled, kFileReadChunk));
        if (!::ReadFile(file.get(), data.get() + filled, want, &got, nullptr))
            return {std::nullopt, lastError()};
        if (got == 0)
            break;
        filled += got;
    }
    return {FileBytes(std::move(data), filled), {}};
}

} // namespace zephlan
