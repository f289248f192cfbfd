// Finding bytes a chunk at a time: the match found forwards and backwards is
// the one a plain scan of the whole data finds, for any chunk size, and no
// read asks for more than a chunk or past the end.
#include "FuzzSupport.h"
#include "../portable/PlainByteScan.h"
#include "portable/ByteSearch.h"

#include <algorithm>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Chunk size, start, direction and pattern length, then the pattern, then the data.
    if (size < 4)
        return 0;
    const uint32_t chunk = 1 + data[0] % 64;
    const size_t patternLength = 1 + data[3] % 8;
    if (size < 4 + patternLength)
        return 0;
    const BytePattern pattern(data + 4, data + 4 + patternLength);
    const std::vector<uint8_t> bytes(data + 4 + patternLength, data + size);
    const uint64_t from = data[1] % (bytes.size() + 1);
    const bool forward = data[2] & 1;

    CByteSearch search({pattern}, bytes.size(), from, forward, chunk);
    const ByteReadFunction read = [&](uint64_t offset, uint32_t count, uint8_t* buffer) -> uint32_t {
        Require(count <= chunk + patternLength && offset <= bytes.size());
        const uint64_t n = std::min<uint64_t>(count, bytes.size() - offset);
        std::copy_n(bytes.begin() + static_cast<ptrdiff_t>(offset), n, buffer);
        return static_cast<uint32_t>(n);
    };
    int steps = 0;
    while (search.Step(read) == CByteSearch::State::Searching)
        Require(++steps <= static_cast<int>(bytes.size() / chunk) + 2);
    const std::optional<uint64_t> expected = PlainByteScan(bytes, pattern, from, forward);
    Require((search.GetState() == CByteSearch::State::Found) == expected.has_value());
    if (expected)
        Require(search.GetMatch().offset == *expected && search.GetMatch().length == pattern.size());

    // Hex patterns: whatever parses gives bytes, never an empty pattern.
    const auto parsed = ParseHexPattern(Utf16Units(ByteSpan(data, size)));
    Require(!parsed || !parsed->empty());
    return 0;
}
