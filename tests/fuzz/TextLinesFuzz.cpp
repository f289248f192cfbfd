// The line breaks of decoded text: the counts agree with a plain
// walk, the text made uniform has only CR LF pairs and grows by one unit per
// lone break, and the kind is a mix exactly when more than one kind occurs.
#include "FuzzSupport.h"
#include "portable/TextLines.h"

namespace {

LineBreakCounts WalkedCounts(const std::wstring& text)
{
    LineBreakCounts counts;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
            ++counts.crlf;
            ++i;
        } else if (text[i] == L'\r') {
            ++counts.cr;
        } else if (text[i] == L'\n') {
            ++counts.lf;
        }
    }
    return counts;
}

bool SameCounts(const LineBreakCounts& a, const LineBreakCounts& b)
{
    return a.crlf == b.crlf && a.cr == b.cr && a.lf == b.lf;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::wstring text = Utf16Units(ByteSpan(data, size));
    const LineBreakCounts counts = CountLineBreaks(text);
    Require(SameCounts(counts, WalkedCounts(text)));

    const std::wstring uniform = ToCrLf(text);
    Require(uniform.size() == text.size() + counts.cr + counts.lf);
    Require(SameCounts(CountLineBreaks(uniform), {counts.crlf + counts.cr + counts.lf, 0, 0}));

    const bool mixed = (counts.crlf > 0) + (counts.cr > 0) + (counts.lf > 0) > 1;
    Require(mixed == (ClassifyLineBreaks(counts) == LineBreakKind::Mixed));
    return 0;
}
