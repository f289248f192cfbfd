#include "portable/DibAlphaScan.h"

#include <algorithm>

namespace {

uint32_t Load(const uint8_t* p)
{
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

} // namespace

void CDibAlphaScan::Start(uint64_t begin, uint64_t end, uint32_t alphaMask, bool byteColours)
{
    m_nBegin = begin;
    m_nEnd = end;
    m_nAlphaMask = alphaMask;
    m_bByteColours = byteColours;
}

void CDibAlphaScan::Feed(ByteSpan piece, uint64_t at)
{
    // Nothing more to learn once both answers are known.
    const bool done = AnyAlpha() && (m_straight || !m_bByteColours);
    if (!Started() || done || at >= m_nEnd || at + piece.size() <= m_nBegin)
        return;
    const uint64_t first = std::max(at, m_nBegin);
    const uint8_t* p = piece.data() + (first - at);
    size_t n = static_cast<size_t>(std::min(at + piece.size(), m_nEnd) - first);
    uint64_t offset = first;

    if (m_nCarried != 0) {
        const size_t taken = std::min(n, sizeof(m_carry) - m_nCarried);
        std::copy_n(p, taken, m_carry + m_nCarried);
        m_nCarried += taken;
        p += taken;
        n -= taken;
        offset += taken;
        if (m_nCarried < sizeof(m_carry))
            return;
        Pixel(Load(m_carry), offset - sizeof(m_carry));
        m_nCarried = 0;
    }
    // Whole runs of pixels go through a loop of fixed length without
    // branches, which compilers vectorise; a run with a straight pixel is
    // read again to find it.
    constexpr size_t kRun = 256;
    for (; n >= 4 * kRun; p += 4 * kRun, n -= 4 * kRun, offset += 4 * kRun) {
        uint32_t alpha = 0;
        uint32_t over = 0;
        for (size_t i = 0; i < kRun; ++i) {
            const uint32_t pixel = Load(p + 4 * i);
            const uint32_t a = pixel >> 24;
            alpha |= pixel;
            over |= static_cast<uint32_t>((pixel & 0xFF) > a) | static_cast<uint32_t>(((pixel >> 8) & 0xFF) > a) |
                    static_cast<uint32_t>(((pixel >> 16) & 0xFF) > a);
        }
        m_nAlpha |= alpha & m_nAlphaMask;
        if (over && m_bByteColours && !m_straight)
            for (size_t i = 0; i < kRun && !m_straight; ++i)
                Pixel(Load(p + 4 * i), offset + 4 * i);
    }
    for (; n >= 4; p += 4, n -= 4, offset += 4)
        Pixel(Load(p), offset);
    std::copy_n(p, n, m_carry);
    m_nCarried = n;
}
