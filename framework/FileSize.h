// The size of a file found by its path, without opening it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// Nothing when `path` names no file (a folder included).
inline std::optional<uint64_t> FileSizeOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
