#include "portable/ByteSearch.h"

#include <algorithm>

namespace {

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\x3000';
}

}

std::optional<BytePattern> ParseHexPattern(std::wstring_view text)
{
    BytePattern bytes;
    size_t i = 0;
    while (i < text.size()) {
        if (IsBlank(text[i])) {
            ++i;
            continue;
        }
        if (i + 1 >= text.size())
            return std::nullopt;
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(high * 16 + low));
        i += 2;
    }
    if (bytes.empty())
        return std::nullopt;
    return bytes;
}

CByteSearch::CByteSearch(std::vector<BytePattern> patterns, uint64_t size, uint64_t from, bool forward,
                         uint32_t chunkSize)
    : m_patterns(std::move(patterns)), m_nSize(size), m_nPos(std::min(from, size)), m_bForward(forward),
      m_nChunk(std::max<uint32_t>(chunkSize, 1))
{
    std::erase_if(m_patterns, [](const BytePattern& p) { return p.empty(); });
    for (const BytePattern& p : m_patterns)
        m_nMaxLength = std::max(m_nMaxLength, p.size());
    m_nTotal = forward ? m_nSize - m_nPos : m_nPos;
    if (m_patterns.empty() || m_nTotal == 0)
        m_state = State::NotFound;
}

std::optional<ByteMatch> CByteSearch::FindIn(size_t got, size_t startsEnd) const
{
    std::optional<ByteMatch> best;
    const auto begin = m_buffer.begin();
    for (const BytePattern& pattern : m_patterns) {
        if (pattern.size() > got)
            continue;
        // Only starts before `startsEnd` belong to this chunk.
        const auto end = begin + static_cast<ptrdiff_t>(std::min(got, startsEnd + pattern.size() - 1));
        const auto found = m_bForward ? std::search(begin, end, pattern.begin(), pattern.end())
                                      : std::find_end(begin, end, pattern.begin(), pattern.end());
        if (found == end)
            continue;
        const ByteMatch match{static_cast<uint64_t>(found - begin), pattern.size()};
        const bool better = !best || (m_bForward ? match.offset < best->offset : match.offset > best->offset) ||
                            (match.offset == best->offset && match.length > best->length);
        if (better)
            best = match;
    }
    return best;
}

CByteSearch::State CByteSearch::Step(const ByteReadFunction& read)
{
    if (m_state != State::Searching)
        return m_state;
    // Each chunk reads the pattern's length less one byte past its starts, so
    // that a match crossing into the next chunk is whole.
    const uint64_t start = m_bForward ? m_nPos : m_nPos - std::min<uint64_t>(m_nPos, m_nChunk);
    const uint64_t starts = m_bForward ? std::min<uint64_t>(m_nChunk, m_nSize - m_nPos) : m_nPos - start;
    const uint64_t wanted = std::min<uint64_t>(starts + m_nMaxLength - 1, m_nSize - start);
    m_buffer.resize(static_cast<size_t>(wanted));
    const uint32_t got = std::min<uint32_t>(read(start, static_cast<uint32_t>(wanted), m_buffer.data()),
                                            static_cast<uint32_t>(wanted));
    m_nDone += starts;
    if (auto match = FindIn(got, static_cast<size_t>(starts))) {
        m_match = {start + match->offset, match->length};
        return m_state = State::Found;
    }
    if (m_bForward) {
        m_nPos += starts;
        if (got < wanted || m_nPos >= m_nSize)
            m_state = State::NotFound;
    } else {
        m_nPos = start;
        if (m_nPos == 0)
            m_state = State::NotFound;
    }
    return m_state;
}
