// Shared by the fuzz targets: a broken promise of a reader aborts the run, so
// libFuzzer keeps the input as a crash; stored texts arrive as UTF-16LE.
#pragma once

#include "portable/ByteReaderLayout.h"

#include <cstdio>
#include <cstdlib>
#include <string>

inline void Require(bool condition, int line = __builtin_LINE(), const char* file = __builtin_FILE())
{
    if (condition)
        return;
    std::fprintf(stderr, "Broken promise at %s:%d\n", file, line);
    std::abort();
}

// The input's 16-bit units as Windows' wchar_t holds them; an odd last byte is dropped.
inline std::wstring Utf16Units(ByteSpan bytes)
{
    std::wstring text(bytes.size() / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(*ReadU16(bytes, 2 * i));
    return text;
}
