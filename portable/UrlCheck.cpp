// The checks of "UniformResourceLocator" (ANSI) and "UniformResourceLocatorW"
// (UTF-16): one absolute URL and its terminator. What follows the terminator
// is not looked at: readers never see it.
#include "portable/FormatCheckKinds.h"
#include "portable/TextUnits.h"

namespace {

bool IsLetter(uint16_t unit)
{
    return (unit >= 'A' && unit <= 'Z') || (unit >= 'a' && unit <= 'z');
}

// RFC 3986: a letter, then letters, digits, '+', '-' and '.'.
bool IsSchemeUnit(uint16_t unit, bool first)
{
    return IsLetter(unit) || (!first && ((unit >= '0' && unit <= '9') || unit == '+' || unit == '-' || unit == '.'));
}

template <bool Wide>
class CUrlCheck : public CFormatCheck {
public:
    void Consume(ByteSpan piece) override
    {
        if (!m_bTerminated)
            m_units.Feed(piece, [this](uint16_t unit, uint64_t offset) { return OnUnit(unit, offset); });
    }

    FindingList Finish() override
    {
        constexpr uint64_t unitSize = CTextUnits<Wide>::kUnitSize;
        FindingList findings;
        if (!m_bTerminated)
            findings.push_back({.id = "url.no-terminator"});
        if (m_nUnits == 0)
            findings.push_back({.id = "url.syntax", .severity = FindingSeverity::Warning, .variant = "empty"});
        else if (m_scheme != Scheme::Valid)
            findings.push_back({.id = "url.syntax", .severity = FindingSeverity::Warning, .variant = "scheme",
                                .offset = 0, .length = m_nUnits * unitSize});
        if (m_nBlank)
            findings.push_back({.id = "url.syntax", .severity = FindingSeverity::Warning, .variant = "blank",
                                .offset = m_nBlank, .length = unitSize});
        return findings;
    }

private:
    enum class Scheme { Reading, Valid, Invalid };

    bool OnUnit(uint16_t unit, uint64_t offset)
    {
        if (unit == 0) {
            m_bTerminated = true;
            return false;
        }
        // Blanks and control characters; C1 controls only in UTF-16, where
        // they cannot be letters of a code page.
        const bool blank = unit <= ' ' || unit == 0x7F || (Wide && unit >= 0x80 && unit <= 0x9F);
        if (blank && !m_nBlank)
            m_nBlank = offset;
        if (m_scheme == Scheme::Reading) {
            // One letter before ':' is a drive ("C:\"), which Windows never reads as a scheme.
            if (unit == ':')
                m_scheme = m_nUnits >= 2 ? Scheme::Valid : Scheme::Invalid;
            else if (!IsSchemeUnit(unit, m_nUnits == 0))
                m_scheme = Scheme::Invalid;
        }
        ++m_nUnits;
        return true;
    }

    CTextUnits<Wide> m_units;
    bool m_bTerminated = false;
    uint64_t m_nUnits = 0;  // before the terminator
    Scheme m_scheme = Scheme::Reading;
    std::optional<uint64_t> m_nBlank;
};

}  // namespace

std::unique_ptr<CFormatCheck> MakeUrlCheck(bool wide)
{
    if (wide)
        return std::make_unique<CUrlCheck<true>>();
    return std::make_unique<CUrlCheck<false>>();
}
