// Geometry of the DragImageBits format: a SHDRAGIMAGE header (24 bytes when a
// 32-bit process wrote it, 32 bytes from a 64-bit one) followed by cx * cy
// premultiplied 32-bit BGRA pixels in bottom-up rows.
#pragma once

#include "portable/ByteReaderLayout.h"

#include <cstdint>
#include <optional>

struct DragImageLayout {
    int32_t width = 0;        // cx, above 0
    int32_t height = 0;       // cy, above 0
    uint64_t headerSize = 0;  // 24 or 32: also the offset of the first stored pixel
    uint64_t scan0Offset = 0; // the top row as shown, which is the last row stored
    int32_t stride = 0;       // -4 * width: walking from scan0 upwards through the bytes
};

// The layout of the drag image in `bytes`, or nullopt when cx or cy is not
// positive, a row would not fit a 32-bit stride, or the bytes cannot hold even
// the 24-byte header and the pixels. The 32-byte header is chosen whenever the
// bytes are long enough for it.
std::optional<DragImageLayout> ReadDragImageLayout(ByteSpan bytes);
