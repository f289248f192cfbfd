// Finding byte patterns in data too large to hold: the search reads through
// a caller's read function a chunk at a time, so it can show progress and be
// stopped between chunks, and finds matches that cross chunk boundaries.
#pragma once

#include "portable/ByteReaderLayout.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

using BytePattern = std::vector<uint8_t>;

// Bytes written as pairs of hex digits, blanks allowed between the pairs
// ("4D 5A 90", "4d5a90"); nullopt for an odd digit, any other character or no byte.
std::optional<BytePattern> ParseHexPattern(std::wstring_view text);

struct ByteMatch {
    uint64_t offset = 0;
    uint64_t length = 0;
};

// Fills `buffer` with up to `count` bytes from `offset`; returns how many came.
using ByteReadFunction = std::function<uint32_t(uint64_t offset, uint32_t count, uint8_t* buffer)>;

class CByteSearch {
public:
    enum class State { Searching, Found, NotFound };

    // Forward: the first match starting at or after `from`. Backward: the last
    // one starting before `from`. When several patterns match at the same
    // place, the longest wins. Empty patterns are ignored.
    CByteSearch(std::vector<BytePattern> patterns, uint64_t size, uint64_t from, bool forward,
                uint32_t chunkSize = 1u << 20);

    // Searches one more chunk. Data that cannot be read ends a forward search
    // there; a backward one goes on before it.
    State Step(const ByteReadFunction& read);
    State GetState() const { return m_state; }
    ByteMatch GetMatch() const { return m_match; }
    // Bytes searched so far and in all, for a progress display.
    uint64_t Done() const { return m_nDone; }
    uint64_t Total() const { return m_nTotal; }

private:
    std::optional<ByteMatch> FindIn(size_t got, size_t startsEnd) const;

    std::vector<BytePattern> m_patterns;
    uint64_t m_nSize;
    uint64_t m_nPos;  // forward: next start to look at; backward: starts must lie before it
    bool m_bForward;
    uint32_t m_nChunk;
    size_t m_nMaxLength = 0;
    std::vector<uint8_t> m_buffer;
    State m_state = State::Searching;
    ByteMatch m_match;
    uint64_t m_nDone = 0;
    uint64_t m_nTotal = 0;
};
