// The part of a node's bytes that the text page decodes: up to the first
// NUL, without the byte-order mark of the chosen encoding.
#pragma once

#include "portable/ByteReaderLayout.h"

#include <string>

struct TextBytes {
    ByteSpan bytes;  // what to convert
    bool nulFound = false;
};

// For a byte code page: the bytes before the first zero byte, without the
// UTF-8 mark when `codePage` is UTF-8.
TextBytes ByteCodePageText(ByteSpan bytes, int codePage);

// For UTF-16 (`codePage` negative; big-endian only for kCodePageUtf16BE):
// the units before the first zero unit, without the byte-order mark only
// when it is that of `codePage` itself (FF FE for kCodePageUtf16LE, FE FF
// for kCodePageUtf16BE); an odd last byte is ignored.
std::wstring Utf16Text(ByteSpan bytes, int codePage, bool& nulFound);
