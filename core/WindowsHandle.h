#pragma once

#include <windows.h>

#include <system_error>
#include <utility>

namespace zephlan {

// A file handle that is closed exactly once: by close(), which tells whether
// the close succeeded, or else when it goes out of scope.
class WindowsHandle
{
public:
    WindowsHandle() = default;
    explicit WindowsHandle(HANDLE handle) : m_handle(handle) {}
    WindowsHandle(WindowsHandle &&other) noexcept : m_handle(other.release()) {}
    WindowsHandle &operator=(WindowsHandle &&other) noexcept
    {
        if (this != &other) {
            close();
            m_handle = other.release();
        }
        return *this;
    }
    WindowsHandle(const WindowsHandle &) = delete;
    WindowsHandle &operator=(const WindowsHandle &) = delete;
    ~WindowsHandle() { close(); }

    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }

    std::error_code close()
    {
        const HANDLE handle = release();
        if (handle == INVALID_HANDLE_VALUE || handle == nullptr || ::CloseHandle(handle))
            return {};
        return {static_cast<int>(::GetLastError()), std::system_category()};
    }

private:
    HANDLE release() { return std::exchange(m_handle, INVALID_HANDLE_VALUE); }

    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

} // namespace zephlan
