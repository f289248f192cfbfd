// The checks of "Rich Text Format": the "{\rtf" readers look for first, and
// groups that close as they open. Readers stop where the outermost group
// closes, so what follows it is not RTF; only a brace there that closes
// nothing tells of a group closed too early.
#include "portable/FormatCheckKinds.h"

#include <algorithm>
#include <string>

namespace {

constexpr char kSignature[] = "{\\rtf";
constexpr uint64_t kSignatureLength = sizeof(kSignature) - 1;
// A \bin length past any block: the rest is binary whatever its digits say.
constexpr uint64_t kLengthCap = uint64_t{1} << 62;

bool IsLetter(uint8_t b)
{
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
}

bool IsDigit(uint8_t b)
{
    return b >= '0' && b <= '9';
}

class CRtfCheck : public CFormatCheck {
public:
    void Consume(ByteSpan piece) override
    {
        for (size_t i = 0; i < piece.size() && !m_bNotRtf;) {
            if (m_nSkip != 0) {
                // \binN data and the two digits of \'hh, skipped whole.
                const size_t skipped = static_cast<size_t>(std::min<uint64_t>(m_nSkip, piece.size() - i));
                m_nSkip -= skipped;
                m_nPos += skipped;
                i += skipped;
                continue;
            }
            if (m_nPos < kSignatureLength && piece[i] != static_cast<uint8_t>(kSignature[m_nPos]))
                m_bNotRtf = true;
            if (Step(piece[i]))
                ++m_nPos, ++i;
        }
    }

    FindingList Finish() override
    {
        if (m_bNotRtf || m_nPos < kSignatureLength)
            return {{.id = "rtf.not-rtf"}};
        if (!m_nClosedAt)
            return {{.id = "rtf.unbalanced", .variant = "unclosed", .offset = m_nPos,
                     .values = {std::to_string(m_nDepth)}}};
        if (m_nExtraClose)
            return {{.id = "rtf.unbalanced", .variant = "extra-close", .offset = m_nExtraClose, .length = 1,
                     .values = {std::to_string(*m_nClosedAt)}}};
        return {};
    }

private:
    enum class State { Text, Backslash, Word, Parameter };

    // Takes `b` at m_nPos; false when `b` ends a control word without being
    // part of it, to be read again as text.
    bool Step(uint8_t b)
    {
        switch (m_state) {
        case State::Text:
            if (b == '\\')
                m_state = State::Backslash;
            else if (b == '{')
                ++m_nDepth;
            else if (b == '}')
                Close();
            return true;
        case State::Backslash:
            m_state = State::Text;
            if (IsLetter(b)) {
                m_state = State::Word;
                m_nWordLength = 1;
                m_bBin = b == 'b';
            } else if (b == '\'') {
                m_nSkip = 2;
            }
            return true;
        case State::Word:
            if (IsLetter(b)) {
                // "bin" is the only word that changes how the bytes after it are read.
                m_bBin = m_bBin && m_nWordLength < 3 && b == "bin"[m_nWordLength];
                ++m_nWordLength;
                return true;
            }
            m_nParameter = 0;
            m_bNegative = b == '-';
            if (m_bNegative || IsDigit(b)) {
                m_state = State::Parameter;
                m_nParameter = m_bNegative ? 0 : b - '0';
                return true;
            }
            return EndWord(b);
        case State::Parameter:
            if (IsDigit(b)) {
                m_nParameter = m_nParameter >= kLengthCap / 10 ? kLengthCap : m_nParameter * 10 + (b - '0');
                return true;
            }
            return EndWord(b);
        }
        return true;
    }

    // A space after a control word belongs to it; any other byte is the next
    // token, the first byte of the data for \bin.
    bool EndWord(uint8_t b)
    {
        m_state = State::Text;
        if (m_bBin && m_nWordLength == 3 && !m_bNegative)
            m_nSkip = m_nParameter;
        return b == ' ';
    }

    void Close()
    {
        if (m_nDepth == 0) {
            if (!m_nExtraClose)
                m_nExtraClose = m_nPos;
            return;
        }
        if (--m_nDepth == 0 && !m_nClosedAt)
            m_nClosedAt = m_nPos;
    }

    bool m_bNotRtf = false;
    uint64_t m_nPos = 0;
    State m_state = State::Text;
    uint64_t m_nSkip = 0;
    uint64_t m_nDepth = 0;
    uint64_t m_nWordLength = 0;
    bool m_bBin = false;  // the control word's letters so far are those of "bin"
    uint64_t m_nParameter = 0;
    bool m_bNegative = false;
    std::optional<uint64_t> m_nClosedAt;
    std::optional<uint64_t> m_nExtraClose;
};

}  // namespace

std::unique_ptr<CFormatCheck> MakeRtfCheck()
{
    return std::make_unique<CRtfCheck>();
}
