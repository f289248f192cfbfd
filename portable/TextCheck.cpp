// The checks of CF_TEXT, CF_OEMTEXT and CF_UNICODETEXT: the terminator that
// readers rely on, what lies past it, and in the text itself what readers
// split or show differently.
#include "portable/FormatCheckKinds.h"
#include "portable/TextUnits.h"

#include <algorithm>
#include <string>

namespace {

// The first of several occurrences, and how many there are.
struct Occurrences {
    std::optional<uint64_t> first;
    uint64_t count = 0;

    void Add(uint64_t offset)
    {
        if (!first)
            first = offset;
        ++count;
    }
};

template <bool Wide>
class CTextCheck : public CFormatCheck {
public:
    void Consume(ByteSpan piece) override
    {
        m_nTotal += piece.size();
        if (!m_nTerminatorEnd)
            piece = piece.subspan(m_units.Feed(piece, [this](uint16_t unit, uint64_t offset) {
                return OnUnit(unit, offset);
            }));
        if (!m_nTerminatorEnd)
            return;
        // Past the terminator only bytes that are not zero matter: zeros are padding.
        const auto nonZero = [](uint8_t b) { return b != 0; };
        const auto first = std::find_if(piece.begin(), piece.end(), nonZero);
        if (first == piece.end())
            return;
        const uint64_t start = m_nTotal - piece.size();
        if (!m_nFirstAfter)
            m_nFirstAfter = start + static_cast<uint64_t>(first - piece.begin());
        m_nAfterEnd = start + static_cast<uint64_t>(std::find_if(piece.rbegin(), piece.rend(), nonZero).base() -
                                                    piece.begin());
    }

    FindingList Finish() override
    {
        if (m_nHigh)
            m_unpaired.Add(*m_nHigh);
        FindingList findings;
        if (Wide && m_nTotal % 2 != 0)
            findings.push_back({.id = "text.odd-length", .offset = m_nTotal - 1, .length = 1,
                                .values = {std::to_string(m_nTotal)}});
        if (!m_nTerminatorEnd)
            findings.push_back({.id = "text.no-terminator"});
        if (m_nFirstAfter)
            findings.push_back({.id = "text.data-after-terminator", .severity = FindingSeverity::Warning,
                                .offset = m_nFirstAfter, .length = m_nAfterEnd - *m_nFirstAfter,
                                .values = {std::to_string(m_nAfterEnd - *m_nFirstAfter)}});
        if (m_unpaired.first)
            findings.push_back({.id = "text.unpaired-surrogate", .severity = FindingSeverity::Warning,
                                .offset = m_unpaired.first, .length = 2,
                                .values = {std::to_string(m_unpaired.count)}});
        if (m_loneLineFeeds.first)
            findings.push_back({.id = "text.lone-line-feed", .severity = FindingSeverity::Note,
                                .offset = m_loneLineFeeds.first, .length = CTextUnits<Wide>::kUnitSize,
                                .values = {std::to_string(m_loneLineFeeds.count)}});
        return findings;
    }

private:
    bool OnUnit(uint16_t unit, uint64_t offset)
    {
        if constexpr (Wide) {
            if (m_nHigh || (unit >= 0xD800 && unit <= 0xDFFF))
                OnSurrogate(unit, offset);
        }
        // Most units are none of those looked at below.
        if (unit > '\r') {
            m_bAfterCr = false;
            return true;
        }
        if (unit == 0) {
            m_nTerminatorEnd = offset + CTextUnits<Wide>::kUnitSize;
            return false;
        }
        if (unit == '\n' && !m_bAfterCr)
            m_loneLineFeeds.Add(offset);
        m_bAfterCr = unit == '\r';
        return true;
    }

    // A surrogate, or the unit after a high one.
    void OnSurrogate(uint16_t unit, uint64_t offset)
    {
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (m_nHigh && !low)
            m_unpaired.Add(*m_nHigh);
        else if (!m_nHigh && low)
            m_unpaired.Add(offset);
        m_nHigh.reset();
        if (unit >= 0xD800 && unit <= 0xDBFF)
            m_nHigh = offset;
    }

    CTextUnits<Wide> m_units;
    uint64_t m_nTotal = 0;
    std::optional<uint64_t> m_nTerminatorEnd;
    std::optional<uint64_t> m_nFirstAfter;
    uint64_t m_nAfterEnd = 0;  // just past the last byte after the terminator that is not zero

    bool m_bAfterCr = false;
    std::optional<uint64_t> m_nHigh;  // a high surrogate waiting for its low one
    Occurrences m_unpaired;
    Occurrences m_loneLineFeeds;
};

}  // namespace

std::unique_ptr<CFormatCheck> MakeAnsiTextCheck()
{
    return std::make_unique<CTextCheck<false>>();
}

std::unique_ptr<CFormatCheck> MakeUnicodeTextCheck()
{
    return std::make_unique<CTextCheck<true>>();
}
