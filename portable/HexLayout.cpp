#include "portable/HexLayout.h"

#include <algorithm>
#include <limits>

namespace {

constexpr wchar_t kDigits[] = L"0123456789abcdef";

bool IsSeparator(wchar_t c)
{
    return c == L' ' || c == L'.';
}

}

int64_t CHexLayout::Lines() const
{
    const uint64_t whole = m_nSize / m_nBytesPerLine;
    return static_cast<int64_t>(whole + (m_nSize % m_nBytesPerLine != 0));
}

int CHexLayout::OffsetDigits() const
{
    if (m_nSize <= 0xFFFF)
        return 4;
    return m_nSize <= 0xFFFFFFFF ? 8 : 16;
}

int CHexLayout::BytesOnLine(int64_t line) const
{
    if (line < 0 || line >= Lines())
        return 0;
    return static_cast<int>(std::min<uint64_t>(m_nBytesPerLine, m_nSize - LineOffset(line)));
}

int CHexLayout::LineLength(int64_t line) const
{
    const int n = BytesOnLine(line);
    return n ? CharColumn() + n : 0;
}

int CHexLayout::WidestLine() const
{
    const int64_t lines = Lines();
    if (lines == 0)
        return 0;
    return lines == 1 ? LineLength(0) : CharColumn() + m_nBytesPerLine;
}

void CHexLayout::FormatLine(int64_t line, std::span<const uint8_t> bytes, std::wstring& out) const
{
    const int n = BytesOnLine(line);
    if (n == 0) {
        out.clear();
        return;
    }
    const int digits = OffsetDigits();
    out.assign(LineLength(line), L' ');
    uint64_t offset = LineOffset(line);
    for (int i = digits - 1; i >= 0; --i, offset >>= 4)
        out[i] = kDigits[offset & 0xF];
    const size_t read = std::min<size_t>(bytes.size(), n);
    const int hex = HexColumn();
    const int chars = CharColumn();
    for (int k = 0; k < n; ++k) {
        if (static_cast<size_t>(k) < read) {
            const uint8_t b = bytes[k];
            out[hex + 3 * k] = kDigits[b >> 4];
            out[hex + 3 * k + 1] = kDigits[b & 0xF];
            out[chars + k] = (b >= 0x20 && b <= 0x7E) ? static_cast<wchar_t>(b) : L'.';
        } else {
            out[hex + 3 * k] = out[hex + 3 * k + 1] = L'-';
        }
    }
}

int CHexLayout::ByteIndex(int col, bool isEnd) const
{
    const int rel = col - HexColumn();
    if (rel < 0)
        return 0;
    if (rel >= 3 * m_nBytesPerLine)
        return m_nBytesPerLine;
    // A start on the separator after a byte excludes it; an end after its first digit includes it.
    const int rest = rel % 3;
    return rel / 3 + (isEnd ? rest != 0 : rest == 2);
}

HexByteRange CHexLayout::SelectedBytes(HexPos start, HexPos end) const
{
    const auto byteAt = [this](HexPos pos, bool isEnd) -> uint64_t {
        if (pos.line < 0)
            return 0;
        if (pos.line >= Lines())
            return m_nSize;
        const uint64_t base = LineOffset(pos.line);
        const uint64_t index = ByteIndex(pos.col, isEnd);
        return m_nSize - base < index ? m_nSize : base + index;
    };
    return {byteAt(start, false), byteAt(end, true)};
}

uint64_t CHexLayout::SelectionTextLength(HexPos start, HexPos end) const
{
    constexpr uint64_t kSaturated = std::numeric_limits<uint64_t>::max();
    if (end <= start)
        return 0;
    if (start.line == end.line)
        return static_cast<uint64_t>(end.col - start.col);
    uint64_t total = static_cast<uint64_t>(LineLength(start.line) - start.col + 2) + end.col;
    // Middle lines are full lines, except the short last line when it is one of them.
    const int64_t first = start.line + 1;
    const int64_t last = end.line - 1;
    if (last >= first) {
        const uint64_t count = static_cast<uint64_t>(last - first + 1);
        const uint64_t full = static_cast<uint64_t>(CharColumn() + m_nBytesPerLine + 2);
        if (count > (kSaturated - total) / full)
            return kSaturated;
        total += count * full - static_cast<uint64_t>(CharColumn() + m_nBytesPerLine - LineLength(last));
    }
    return total;
}

int HexWordLeft(std::wstring_view text, int col)
{
    int i = col - 1;
    while (i > 0 && IsSeparator(text[i]))
        --i;
    while (i > 0) {
        if (IsSeparator(text[i]))
            return i + 1;
        --i;
    }
    return 0;
}

int HexWordRight(std::wstring_view text, int col)
{
    const int length = static_cast<int>(text.size());
    int i = col;
    while (i < length && !IsSeparator(text[i]))
        ++i;
    while (i < length && IsSeparator(text[i]))
        ++i;
    return i;
}

int HexWordStart(std::wstring_view text, int col)
{
    const bool wordBegins = col < static_cast<int>(text.size()) && !IsSeparator(text[col]) &&
                            (col == 0 || IsSeparator(text[col - 1]));
    return wordBegins ? col : HexWordLeft(text, col);
}
