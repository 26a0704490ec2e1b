#include "core/WholeFile.h"

#include <windows.h>

#include <algorithm>

namespace zephlan {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kChunk = DWORD(1) << 20;

std::error_code lastError()
{
    return {static_cast<int>(::GetLastError()), std::system_category()};
}

std::error_code readAll(HANDLE handle, std::string &bytes)
{
    LARGE_INTEGER size{};
    if (::GetFileType(handle) != FILE_TYPE_DISK)
        return std::make_error_code(std::errc::invalid_argument);
    if (!::GetFileSizeEx(handle, &size))
        return lastError();
    bytes.resize(static_cast<std::size_t>(size.QuadPart) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() + bytes.size() / 2 + kChunk);
        DWORD got = 0;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, kChunk));
        if (!::ReadFile(handle, bytes.data() + filled, want, &got, nullptr))
            return lastError();
        if (got == 0)
            break;
        filled += got;
    }
    bytes.resize(filled);
    return {};
}

} // namespace

WholeFile readWholeFile(const std::filesystem::path &path)
{
    WholeFile file;
    const HANDLE handle =
        ::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        file.error = lastError();
        return file;
    }
    file.error = readAll(handle, file.bytes);
    ::CloseHandle(handle);
    if (file.error)
        file.bytes.clear();
    return file;
}

} // namespace zephlan
