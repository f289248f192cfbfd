#include "portable/TextLines.h"

#include <algorithm>
#include <cstdint>

LineBreakCounts CountLineBreaks(std::wstring_view text)
{
    // Plain sums with no early exit and 32-bit counters per block, so the
    // compiler vectorises the pass over texts of many megabytes.
    constexpr size_t kBlock = size_t{1} << 30;
    size_t cr = 0, lf = 0, crlf = 0;
    for (size_t start = 0; start < text.size(); start += kBlock) {
        const size_t end = std::min(text.size(), start + kBlock);
        // The first character has no predecessor to pair with.
        uint32_t blockCr = start == 0 && text[0] == L'\r';
        uint32_t blockLf = start == 0 && text[0] == L'\n';
        uint32_t blockCrLf = 0;
        for (size_t i = std::max<size_t>(start, 1); i < end; ++i) {
            blockCr += text[i] == L'\r';
            blockLf += text[i] == L'\n';
            blockCrLf += (text[i - 1] == L'\r') & (text[i] == L'\n');
        }
        cr += blockCr;
        lf += blockLf;
        crlf += blockCrLf;
    }
    return {crlf, cr - crlf, lf - crlf};
}

std::wstring ToCrLf(std::wstring_view text)
{
    std::wstring result;
    const LineBreakCounts counts = CountLineBreaks(text);
    result.reserve(text.size() + counts.cr + counts.lf);
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
            result += L"\r\n";
            ++i;
        } else if (c == L'\r' || c == L'\n') {
            result += L"\r\n";
        } else {
            result += c;
        }
    }
    return result;
}

LineBreakKind ClassifyLineBreaks(const LineBreakCounts& counts)
{
    const int kinds = (counts.crlf > 0) + (counts.cr > 0) + (counts.lf > 0);
    if (kinds == 0)
        return LineBreakKind::None;
    if (kinds > 1)
        return LineBreakKind::Mixed;
    if (counts.crlf > 0)
        return LineBreakKind::CrLf;
    return counts.lf > 0 ? LineBreakKind::LfOnly : LineBreakKind::CrOnly;
}
