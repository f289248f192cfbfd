// What the real clipboard holds, read back as a test compares it: the
// Unicode text and the "BinaryData" of a hex dump's copy.
#pragma once

#include "framework/Clipboard.h"
#include "framework/Handles.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

inline std::wstring ClipboardText()
{
    const CClipboard clipboard(nullptr);
    const CGlobalLock lock(::GetClipboardData(CF_UNICODETEXT));
    return lock ? std::wstring(static_cast<const wchar_t*>(lock.Get())) : L"(no text)";
}

// The bytes after the 32-bit little-endian count; none when the format is absent.
inline std::optional<std::string> ClipboardBinaryData()
{
    const CClipboard clipboard(nullptr);
    const CGlobalLock lock(::GetClipboardData(::RegisterClipboardFormatW(L"BinaryData")));
    if (!lock)
        return std::nullopt;
    uint32_t count = 0;
    std::memcpy(&count, lock.Get(), 4);
    if (lock.Size() < count + 4u)
        return "(block shorter than its count)";
    return std::string(static_cast<const char*>(lock.Get()) + 4, count);
}
