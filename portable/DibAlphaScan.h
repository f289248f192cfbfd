// The alpha rules of 32-bit pixels, read as the pixels stream past: whether
// any alpha is set at all, and the first pixel whose colour exceeds its alpha
// (so that the pixels cannot be premultiplied).
#pragma once

#include "portable/ByteReaderLayout.h"

#include <cstdint>
#include <optional>

class CDibAlphaScan {
public:
    // The pixels lie at [begin, end) of the block; `byteColours` says the
    // colours are the low three bytes and the alpha the top one.
    void Start(uint64_t begin, uint64_t end, uint32_t alphaMask, bool byteColours);

    // The block's bytes from offset `at`, in order; those outside the pixels are skipped.
    void Feed(ByteSpan piece, uint64_t at);

    bool Started() const { return m_nAlphaMask != 0; }
    uint64_t Begin() const { return m_nBegin; }
    uint64_t End() const { return m_nEnd; }
    bool AnyAlpha() const { return m_nAlpha != 0; }
    std::optional<uint64_t> FirstStraight() const { return m_straight; }

private:
    void Pixel(uint32_t pixel, uint64_t offset)
    {
        m_nAlpha |= pixel & m_nAlphaMask;
        if (m_bByteColours && !m_straight) {
            const uint32_t alpha = pixel >> 24;
            if ((pixel & 0xFF) > alpha || ((pixel >> 8) & 0xFF) > alpha || ((pixel >> 16) & 0xFF) > alpha)
                m_straight = offset;
        }
    }

    uint64_t m_nBegin = 0;
    uint64_t m_nEnd = 0;
    uint32_t m_nAlphaMask = 0;
    bool m_bByteColours = false;
    uint32_t m_nAlpha = 0;
    std::optional<uint64_t> m_straight;
    // A pixel cut by the end of a piece.
    uint8_t m_carry[4] = {};
    size_t m_nCarried = 0;
};
