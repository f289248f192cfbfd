// Guessing how a node's bytes are encoded: the byte-order mark, and the
// counters that tell UTF-16LE, UTF-8 and the double-byte ANSI code page apart.
#pragma once

#include "portable/ByteReaderLayout.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>

// Detection looks at no more than this many bytes from the start.
inline constexpr size_t kDetectionBytes = 16384;

// The lead and trail bytes of a multibyte code page; all false for a single-byte one.
struct DbcsTable {
    std::array<bool, 256> lead{};
    std::array<bool, 256> trail{};
};

struct BomMatch {
    int codePage;  // kCodePageUtf8, kCodePageUtf16LE, kCodePageUtf16BE, or kCodePageNone
    size_t length;  // bytes of the mark; 0 without one
};
BomMatch DetectBom(ByteSpan bytes);

// True once a zero byte at an odd offset is followed by a non-zero byte.
bool LooksLikeUtf16LE(ByteSpan bytes);
// Bytes that break UTF-8 up to the first zero byte; a sequence cut off by the
// end of the bytes is no error, and continuation bytes are not checked further.
size_t CountUtf8Errors(ByteSpan bytes);
// Lead bytes followed by a zero or by a byte that cannot trail, up to the first zero byte.
size_t CountInvalidDbcsPairs(ByteSpan bytes, const DbcsTable& table);
// The double-byte characters alone, up to the first zero byte; a lead byte
// with no byte after it is dropped.
std::string DoubleByteChars(ByteSpan bytes, const DbcsTable& table);

// The code page of bytes whose format names none: the mark, else the
// counters over the first kDetectionBytes. `hasNonCp932Chars` is asked only
// when neither UTF-8 nor the ANSI code page found an error.
int DetectCodePage(ByteSpan bytes, const DbcsTable& ansi, const std::function<bool(ByteSpan)>& hasNonCp932Chars);
