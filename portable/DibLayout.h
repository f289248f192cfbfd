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

// The colour table's entries for `bitCount` bits per pixel: the whole palette
// of 1 bit, the palette of 4 and 8 bits (full when `colorsUsed` is 0), and the
// optional palette of 16, 24 and 32 bits. Bit-field masks are not counted.
uint64_t DibPaletteEntries(uint16_t bitCount, uint32_t colorsUsed);

// The bytes of `rows` rows of `width` pixels, each row padded to whole
// 32-bit units, or nullopt when the product does not fit in 64 bits.
std::optional<uint64_t> DibRowsSize(uint32_t width, uint64_t rows, uint16_t bitCount);

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
constexpr uint32_t kDibProfileLinked = 0x4C494E4B;    // 'LINK'
constexpr uint32_t kDibProfileEmbedded = 0x4D424544;  // 'MBED'
// Where a V5 header keeps its profile's offset (from the header's start), then its size.
constexpr uint64_t kDibProfileOffset = 112;

// Whether a V5 header names a colour profile (linked or embedded) whose
// bytes do not all lie inside `bytes`: a graphics library that followed it
// would read past what was captured.
bool HasProfileOutside(const DibLayout& dib, ByteSpan bytes);
