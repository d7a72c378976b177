#pragma once

#include "platform/windows_api_win.h"

#include <string_view>

// Closes the handle on every way out of a scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle()
    {
        if (IsOpen()) {
            ::CloseHandle(m_handle);
        }
    }
    HANDLE Get() const { return m_handle; }
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    // Closes now and reports whether the close succeeded.
    bool Close()
    {
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return ::CloseHandle(handle) != FALSE;
    }

private:
    HANDLE m_handle;
};

// Writes every byte of `bytes`, in chunks WriteFile takes. False when a write
// fails or writes nothing.
bool WriteAll(HANDLE file, std::string_view bytes);
