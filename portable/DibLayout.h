// Where the colour table and pixel bits of a packed device-independent bitmap
// (CF_DIB, CF_DIBV5) lie in its captured bytes, so that a picture is only
// ever built over bytes that were really captured.
#pragma once

#include "portable/ByteReaderLayout.h"

#include <cstdint>
#include <optional>

struct DibLayout {
    uint32_t headerSize = 0;   // 40 or more: 108 for a V4 header, 124 for V5
    int32_t width = 0;         // above 0
    int32_t height = 0;        // not 0 nor INT32_MIN; negative for top-down rows
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint64_t colorCount = 0;   // 4-byte entries (colours, bit-field masks) after the header
    uint64_t bitsOffset = 0;   // headerSize + 4 * colorCount
    uint64_t bitsSize = 0;     // bytes of pixel bits, above 0; more bytes may follow
};

// The layout of the packed bitmap in `bytes`, or nullopt when they hold no
// picture: a header shorter than 40 bytes (BITMAPCOREHEADER included), a
// width or height out of range, a palette larger than the bit count allows, or
// a colour table or pixel bits that reach past the end of `bytes`.
std::optional<DibLayout> ReadDibLayout(ByteSpan bytes);

// Whether the 32-bit pixels of a bitmap read by ReadDibLayout carry straight
// alpha in their top byte: the masks (inside a V3 or later header, or the four
// of BI_ALPHABITFIELDS) name alpha, red, green and blue byte by byte, and some
// pixel is not fully transparent. All-zero alpha is the unused byte of an
// opaque bitmap.
bool HasAlphaChannel(const DibLayout& dib, ByteSpan bytes);

// Where a V4 or V5 header keeps its colour space type, and the type that
// names no profile.
constexpr uint64_t kDibColorSpaceOffset = 56;
constexpr uint32_t kDibColorSpaceSrgb = 0x73524742;  // 'sRGB'

// Whether a V5 header names a colour profile (linked or embedded) whose
// bytes do not all lie inside `bytes`: a graphics library that followed it
// would read past what was captured.
bool HasProfileOutside(const DibLayout& dib, ByteSpan bytes);
