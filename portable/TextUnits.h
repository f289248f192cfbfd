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
            for (; i + 2 <= piece.size(); i += 2) {
                m_nNext += 2;
                if (!unit(static_cast<uint16_t>(piece[i] | piece[i + 1] << 8), m_nNext - 2))
                    return i + 2;
            }
            if (i < piece.size()) {
                m_nLow = piece[i++];
                m_bHalf = true;
            }
        } else {
            for (; i < piece.size(); ++i) {
                if (!unit(static_cast<uint16_t>(piece[i]), m_nNext++))
                    return i + 1;
            }
        }
        return i;
    }

private:
    uint64_t m_nNext = 0;  // the offset of the next whole unit
    uint8_t m_nLow = 0;
    bool m_bHalf = false;  // m_nLow is the first byte of a unit
};
