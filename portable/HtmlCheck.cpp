// The "HTML Format" check: the description header against the block, the
// fragment's comments against its offsets, and UTF-8 throughout. The block is
// read once; only its head is kept, for the header.
#include "portable/FormatCheckKinds.h"
#include "portable/HtmlFormatHeader.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Far more than any header with a long SourceURL takes.
constexpr size_t kHeadLimit = 64 * 1024;

// A place in the block, counted each way a producer may have counted it.
struct TextPosition {
    uint64_t bytes = 0;
    uint64_t codePoints = 0;
    uint64_t utf16Units = 0;  // as .NET and Java string lengths count
    uint64_t crlfPairs = 0;
    uint64_t loneLineFeeds = 0;
};

// One of the comments around the fragment; `boundary` is where the fragment
// meets it: its end for the start comment, its start for the end comment.
struct FragmentComment {
    uint64_t offset = 0;
    uint64_t length = 0;
    TextPosition boundary;
};

// Recognises "<!--StartFragment-->" and "<!--EndFragment-->" a byte at a
// time. Producers vary the case and put blanks inside ("<!-- StartFragment
// -->"), as the format's own examples do.
class CCommentMatcher {
public:
    enum class Event { None, Opened, Start, End };

    bool Idle() const { return m_state == State::Idle; }

    Event Feed(uint8_t b)
    {
        switch (m_state) {
        case State::Idle:
            break;
        case State::Text:
            if (Lower(b) == *m_pExpect) {
                if (*++m_pExpect == '\0')
                    return Finished();
                return Event::None;
            }
            break;
        case State::BeforeName:
            if (IsBlank(b))
                return Event::None;
            if (Lower(b) == 's' || Lower(b) == 'e') {
                m_bStart = Lower(b) == 's';
                m_pExpect = m_bStart ? "tartfragment" : "ndfragment";
                m_state = State::Text;
                return Event::None;
            }
            break;
        case State::AfterName:
            if (IsBlank(b))
                return Event::None;
            if (b == '-') {
                m_pExpect = "->";
                m_state = State::Text;
                return Event::None;
            }
            break;
        }
        m_state = State::Idle;
        if (b != '<')
            return Event::None;
        m_pExpect = "!--";
        m_state = State::Text;
        m_stage = Stage::Open;
        return Event::Opened;
    }

private:
    enum class State { Idle, Text, BeforeName, AfterName };
    enum class Stage { Open, Name, Close };

    static char Lower(uint8_t b) { return static_cast<char>(b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b); }
    static bool IsBlank(uint8_t b) { return b == ' ' || b == '\t' || b == '\r' || b == '\n'; }

    // The end of one of the texts: "<!--", the name, or "-->".
    Event Finished()
    {
        switch (m_stage) {
        case Stage::Open:
            m_stage = Stage::Name;
            m_state = State::BeforeName;
            return Event::None;
        case Stage::Name:
            m_stage = Stage::Close;
            m_state = State::AfterName;
            return Event::None;
        case Stage::Close:
            break;
        }
        m_state = State::Idle;
        return m_bStart ? Event::Start : Event::End;
    }

    State m_state = State::Idle;
    Stage m_stage = Stage::Open;
    const char* m_pExpect = "";
    bool m_bStart = false;
};

Finding Make(const char* id, const char* variant, std::vector<std::string> values)
{
    Finding finding;
    finding.id = id;
    finding.variant = variant;
    finding.values = std::move(values);
    return finding;
}

class CHtmlCheck : public CFormatCheck {
public:
    explicit CHtmlCheck(uint64_t totalSize)
    {
        m_head.reserve(static_cast<size_t>(std::min<uint64_t>(totalSize, kHeadLimit)));
    }

    void Consume(ByteSpan piece) override
    {
        // The head first, so that EndHTML is known before the bytes past the head are looked at.
        if (m_head.size() < kHeadLimit) {
            const ByteSpan part = piece.first(std::min(piece.size(), kHeadLimit - m_head.size()));
            m_head.insert(m_head.end(), part.begin(), part.end());
            Scan(part);
            piece = piece.subspan(part.size());
            if (m_head.size() == kHeadLimit)
                OnHeadRead();
        }
        Scan(piece);
    }

    FindingList Finish() override
    {
        if (!m_bHeadRead)
            OnHeadRead();
        if (m_nNeed != 0)
            m_badUtf8 = {m_nSequenceStart, m_pos.bytes - m_nSequenceStart};
        FindingList findings;
        const HtmlFormatHeader header = ReadHtmlFormatHeader(m_head, m_pos.bytes);
        for (const HtmlHeaderProblem& problem : header.problems)
            findings.push_back(HeaderFinding(header, problem));
        CheckComment(header, HtmlField::StartFragment, m_start, "<!--StartFragment-->", findings);
        CheckComment(header, HtmlField::EndFragment, m_end ? m_end : m_firstEnd, "<!--EndFragment-->", findings);
        if (m_badUtf8) {
            Finding finding = Make("html.not-utf8", "", {});
            finding.offset = m_badUtf8->first;
            finding.length = m_badUtf8->second;
            findings.push_back(std::move(finding));
        }
        if (!CheckEndInCharacters(header, findings))
            CheckAfterEnd(header, findings);
        return findings;
    }

private:
    void Scan(ByteSpan bytes)
    {
        for (size_t i = 0; i < bytes.size();) {
            // Most bytes start no comment, end no line and are ASCII: counted by the run.
            if (m_matcher.Idle() && m_nNeed == 0) {
                const size_t start = i;
                while (i < bytes.size() && bytes[i] > '\r' && bytes[i] < 0x80 && bytes[i] != '<')
                    ++i;
                if (i != start) {
                    m_pos.bytes += i - start, m_pos.codePoints += i - start, m_pos.utf16Units += i - start;
                    m_bAfterCr = false;
                    continue;
                }
            }
            Step(bytes[i++]);
        }
        TrackNul(bytes);
    }

    void Step(uint8_t b)
    {
        // One byte that may be part of a comment, a line break or a UTF-8 sequence.
        switch (m_matcher.Feed(b)) {
        case CCommentMatcher::Event::None:
            break;
        case CCommentMatcher::Event::Opened:
            m_candidate = m_pos;
            break;
        case CCommentMatcher::Event::Start:
            if (!m_start) {
                // The '>' just fed is one byte, one character.
                TextPosition end = m_pos;
                ++end.bytes, ++end.codePoints, ++end.utf16Units;
                m_start = FragmentComment{m_candidate.bytes, end.bytes - m_candidate.bytes, end};
            }
            break;
        case CCommentMatcher::Event::End:
            const FragmentComment comment{m_candidate.bytes, m_pos.bytes + 1 - m_candidate.bytes, m_candidate};
            if (!m_firstEnd)
                m_firstEnd = comment;
            if (m_start && !m_end)
                m_end = comment;
            break;
        }
        if (!m_badUtf8)
            CheckUtf8(b);
        const bool lead = (b & 0xC0) != 0x80;
        m_pos.codePoints += lead;
        m_pos.utf16Units += lead + (b >= 0xF0);
        if (b == '\n')
            ++(m_bAfterCr ? m_pos.crlfPairs : m_pos.loneLineFeeds);
        m_bAfterCr = b == '\r';
        ++m_pos.bytes;
    }

    // Where the text ends before its NUL padding, and the first byte past EndHTML that is not NUL.
    void TrackNul(ByteSpan bytes)
    {
        const uint64_t first = m_pos.bytes - bytes.size();
        const auto nonNul = [](uint8_t b) { return b != 0; };
        const auto last = std::find_if(bytes.rbegin(), bytes.rend(), nonNul);
        if (last != bytes.rend())
            m_nContentEnd = first + static_cast<uint64_t>(bytes.rend() - last);
        if (m_nEndHtml && !m_nFirstAfterEnd && *m_nEndHtml < m_pos.bytes) {
            const ByteSpan after = bytes.subspan(static_cast<size_t>(std::max(*m_nEndHtml, first) - first));
            const auto found = std::find_if(after.begin(), after.end(), nonNul);
            if (found != after.end())
                m_nFirstAfterEnd = m_pos.bytes - static_cast<uint64_t>(after.end() - found);
        }
    }

    // Only the first broken sequence is reported: past it a decoder's
    // guess is as good as any.
    void CheckUtf8(uint8_t b)
    {
        if (m_nNeed != 0) {
            if (b >= m_nLow && b <= m_nHigh) {
                --m_nNeed;
                m_nLow = 0x80;
                m_nHigh = 0xBF;
                return;
            }
            m_badUtf8 = {m_nSequenceStart, m_pos.bytes - m_nSequenceStart};
            m_nNeed = 0;
            return;
        }
        if (b < 0x80)
            return;
        m_nSequenceStart = m_pos.bytes;
        // The ranges that exclude overlong forms, surrogates and values past U+10FFFF.
        if (b >= 0xC2 && b <= 0xDF)
            m_nNeed = 1;
        else if (b >= 0xE0 && b <= 0xEF)
            m_nNeed = 2, m_nLow = b == 0xE0 ? 0xA0 : 0x80, m_nHigh = b == 0xED ? 0x9F : 0xBF;
        else if (b >= 0xF0 && b <= 0xF4)
            m_nNeed = 3, m_nLow = b == 0xF0 ? 0x90 : 0x80, m_nHigh = b == 0xF4 ? 0x8F : 0xBF;
        else
            m_badUtf8 = {m_pos.bytes, 1};
    }

    void OnHeadRead()
    {
        m_bHeadRead = true;
        // The offsets do not depend on the block's size; only their checks do.
        const std::optional<int64_t> endHtml = ReadHtmlFormatHeader(m_head, UINT64_MAX).endHtml;
        if (!endHtml || *endHtml < 0)
            return;
        m_nEndHtml = static_cast<uint64_t>(*endHtml);
        for (uint64_t at = *m_nEndHtml; at < m_head.size() && !m_nFirstAfterEnd; ++at) {
            if (m_head[static_cast<size_t>(at)] != 0)
                m_nFirstAfterEnd = at;
        }
    }

    Finding HeaderFinding(const HtmlFormatHeader& header, const HtmlHeaderProblem& problem) const
    {
        const std::string field = HtmlFieldName(problem.field);
        const std::string value = std::to_string(HtmlOffsetValue(header, problem.field).value_or(0));
        switch (problem.kind) {
        case HtmlHeaderProblem::Missing:
            if (problem.field == HtmlField::StartSelection)
                return Make("html.header-field", "unpaired", {HtmlFieldName(HtmlField::EndSelection), field});
            if (problem.field == HtmlField::EndSelection)
                return Make("html.header-field", "unpaired", {HtmlFieldName(HtmlField::StartSelection), field});
            return Make("html.header-field", "missing", {field});
        case HtmlHeaderProblem::NotANumber:
            return Make("html.header-field", "not-number", {field});
        case HtmlHeaderProblem::OutsideData:
            return Make("html.offset-outside", "", {field, value, std::to_string(m_pos.bytes)});
        case HtmlHeaderProblem::InsideHeader:
            return Make("html.offset-order", "header", {field, value, std::to_string(header.headerEnd)});
        case HtmlHeaderProblem::OutOfOrder:
            return Make("html.offset-order", "", {field, value, HtmlFieldName(problem.other),
                                                  std::to_string(HtmlOffsetValue(header, problem.other).value_or(0))});
        }
        return {};
    }

    // The offset against its comment: right, counted in characters, counted
    // with line breaks of another length, or simply elsewhere.
    static void CheckComment(const HtmlFormatHeader& header, HtmlField field,
                             const std::optional<FragmentComment>& comment, const char* text, FindingList& findings)
    {
        if (!comment) {
            findings.push_back(Make("html.fragment-markers", "missing", {text}));
            return;
        }
        const std::optional<int64_t> stated = HtmlOffsetValue(header, field);
        const TextPosition& at = comment->boundary;
        if (!stated || *stated == static_cast<int64_t>(at.bytes))
            return;
        const std::string name = HtmlFieldName(field);
        const std::string expected = std::to_string(at.bytes);
        const auto statedAs = [&](uint64_t count) { return *stated == static_cast<int64_t>(count); };
        Finding finding;
        if (statedAs(at.codePoints) || statedAs(at.utf16Units)) {
            finding = Make("html.character-offsets", "", {name, expected, std::to_string(*stated)});
        } else if (at.crlfPairs != 0 && statedAs(at.bytes - at.crlfPairs)) {
            finding = Make("html.fragment-markers", "line-breaks",
                           {name, std::to_string(*stated), expected, std::to_string(at.crlfPairs)});
        } else if (at.loneLineFeeds != 0 && statedAs(at.bytes + at.loneLineFeeds)) {
            finding = Make("html.fragment-markers", "line-breaks",
                           {name, std::to_string(*stated), expected, std::to_string(at.loneLineFeeds)});
        } else {
            finding = Make("html.fragment-markers", "offset", {name, std::to_string(*stated), expected});
        }
        finding.offset = comment->offset;
        finding.length = comment->length;
        findings.push_back(std::move(finding));
    }

    // EndHTML counted in characters up to the end of the text. NUL padding
    // is one byte per character, so the counts there follow from the totals.
    bool CheckEndInCharacters(const HtmlFormatHeader& header, FindingList& findings) const
    {
        if (!header.endHtml || *header.endHtml < 0 || static_cast<uint64_t>(*header.endHtml) == m_nContentEnd)
            return false;
        const uint64_t padding = m_pos.bytes - m_nContentEnd;
        const auto stated = static_cast<uint64_t>(*header.endHtml);
        if (stated != m_pos.codePoints - padding && stated != m_pos.utf16Units - padding)
            return false;
        findings.push_back(Make("html.character-offsets", "",
                                {HtmlFieldName(HtmlField::EndHtml), std::to_string(m_nContentEnd),
                                 std::to_string(*header.endHtml)}));
        return true;
    }

    // Only past an EndHTML that is right otherwise: a wrong one has its own finding.
    void CheckAfterEnd(const HtmlFormatHeader& header, FindingList& findings) const
    {
        const auto concernsEnd = [](const HtmlHeaderProblem& problem) {
            return problem.field == HtmlField::EndHtml ||
                   (problem.kind == HtmlHeaderProblem::OutOfOrder && problem.other == HtmlField::EndHtml);
        };
        if (!m_nFirstAfterEnd || std::any_of(header.problems.begin(), header.problems.end(), concernsEnd))
            return;
        Finding finding = Make("html.data-after-end", "", {std::to_string(*m_nEndHtml)});
        finding.severity = FindingSeverity::Warning;
        finding.offset = *m_nFirstAfterEnd;
        finding.length = m_nContentEnd - *m_nFirstAfterEnd;
        findings.push_back(std::move(finding));
    }

    std::vector<uint8_t> m_head;
    bool m_bHeadRead = false;
    std::optional<uint64_t> m_nEndHtml;
    std::optional<uint64_t> m_nFirstAfterEnd;
    uint64_t m_nContentEnd = 0;  // just past the last byte that is not NUL

    TextPosition m_pos;
    bool m_bAfterCr = false;

    CCommentMatcher m_matcher;
    TextPosition m_candidate;  // where the comment being matched starts
    std::optional<FragmentComment> m_start, m_end, m_firstEnd;

    uint8_t m_nNeed = 0;  // continuation bytes still due
    uint8_t m_nLow = 0x80, m_nHigh = 0xBF;
    uint64_t m_nSequenceStart = 0;
    std::optional<std::pair<uint64_t, uint64_t>> m_badUtf8;  // offset, length
};

}  // namespace

std::unique_ptr<CFormatCheck> MakeHtmlCheck(uint64_t totalSize)
{
    return std::make_unique<CHtmlCheck>(totalSize);
}
