// The "HTML Format" description header: whatever the bytes, a fragment it
// reports lies inside the block and in order, and the header's end inside
// what was read. The block may be larger than the bytes read.
#include "FuzzSupport.h"
#include "portable/HtmlFormatHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first byte chooses how much larger than its head the block claims to be.
    if (size == 0)
        return 0;
    const ByteSpan head(data + 1, size - 1);
    const uint64_t total = head.size() + (data[0] < 128 ? 0 : uint64_t{data[0]} << 24);
    const HtmlFormatHeader header = ReadHtmlFormatHeader(head, total);
    Require(header.headerEnd <= head.size());
    if (header.fragment) {
        Require(header.fragment->first <= header.fragment->second && header.fragment->second <= total);
        Require(header.fragment->first >= header.headerEnd);
    }
    for (const HtmlHeaderProblem& problem : header.problems)
        Require(static_cast<int>(problem.field) < kHtmlFieldCount && static_cast<int>(problem.other) < kHtmlFieldCount);
    return 0;
}
