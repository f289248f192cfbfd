// The checks of the formats that hold one DWORD: the drop effects ("Preferred
// DropEffect", "Performed DropEffect", "Logical Performed DropEffect", "Paste
// Succeeded"), CF_LOCALE and the clipboard's privacy formats.
#include "portable/FormatCheckKinds.h"

#include <algorithm>
#include <string>

namespace {

// DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_LINK and DROPEFFECT_SCROLL.
constexpr uint32_t kKnownDropEffects = 0x1 | 0x2 | 0x4 | 0x80000000;

class CDwordCheck : public CFormatCheck {
public:
    explicit CDwordCheck(bool dropEffect) : m_bDropEffect(dropEffect) {}

    void Consume(ByteSpan piece) override
    {
        size_t i = 0;
        for (; i < piece.size() && m_nTotal < 4; ++i, ++m_nTotal)
            m_nValue |= uint32_t{piece[i]} << (8 * m_nTotal);
        m_bDataAfter = m_bDataAfter || std::any_of(piece.begin() + i, piece.end(), [](uint8_t b) { return b != 0; });
        m_nTotal += piece.size() - i;
    }

    FindingList Finish() override
    {
        const std::string size = std::to_string(m_nTotal);
        if (m_nTotal < 4)
            return {{.id = "dword.size", .variant = "short", .values = {size}}};
        FindingList findings;
        // A block is often larger than asked for, its allocation rounded up:
        // only bytes that are not zero past the value say more than that.
        if (m_bDataAfter)
            findings.push_back({.id = "dword.size", .severity = FindingSeverity::Note, .variant = "long",
                                .offset = 4, .length = m_nTotal - 4, .values = {size}});
        if (m_bDropEffect && (m_nValue & ~kKnownDropEffects) != 0)
            findings.push_back({.id = "dropeffect.value", .severity = FindingSeverity::Warning, .offset = 0,
                                .length = 4,
                                .values = {std::to_string(m_nValue), std::to_string(m_nValue & ~kKnownDropEffects)}});
        return findings;
    }

private:
    bool m_bDropEffect;
    uint64_t m_nTotal = 0;
    uint32_t m_nValue = 0;  // the first four bytes, little-endian
    bool m_bDataAfter = false;
};

}  // namespace

std::unique_ptr<CFormatCheck> MakeDwordCheck(bool dropEffect)
{
    return std::make_unique<CDwordCheck>(dropEffect);
}
