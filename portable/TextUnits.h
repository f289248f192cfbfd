// The code units of text fed a piece at a time: bytes for a byte code page,
// little-endian 16-bit units for UTF-16, whose two bytes may come in two
// pieces. The text checks look at units, never at the cut between pieces.
#pragma once

#include "portable/ByteReaderLayout.h"

#include <cstdint>

template <bool Wide>
class CTextUnits {
public:
    static constexpr uint64_t kUnitSize = Wide ? 2 : 1;

    // Calls `unit(value, offset)` for each unit `piece` completes, in order,
    // and stops after the first call that returns false. Returns how many
    // of the piece's bytes were taken.
    template <class Function>
    size_t Feed(ByteSpan piece, Function&& unit)
    {
        size_t i = 0;
        if constexpr (Wide) {
            if (m_bHalf && !piece.empty()) {
                m_bHalf = false;
                m_nNext += 2;
                if (!unit(static_cast<uint16_t>(m_nLow | piece[i++] << 8), m_nNext - 2))
                    return i;
            }
        }
        // The offset of piece[0], kept in a local: a store through `this`
        // would be reloaded after every byte read.
        const uint64_t first = m_nNext - i;
        for (; i + kUnitSize <= piece.size(); i += kUnitSize) {
            const auto value = static_cast<uint16_t>(Wide ? piece[i] | piece[i + 1] << 8 : piece[i]);
            if (!unit(value, first + i)) {
                m_nNext = first + i + kUnitSize;
                return i + kUnitSize;
            }
        }
        m_nNext = first + i;
        if constexpr (Wide) {
            if (i < piece.size()) {
                m_nLow = piece[i++];
                m_bHalf = true;
            }
        }
        return i;
    }

private:
    uint64_t m_nNext = 0;  // the offset of the next whole unit
    uint8_t m_nLow = 0;
    bool m_bHalf = false;  // m_nLow is the first byte of a unit
};
