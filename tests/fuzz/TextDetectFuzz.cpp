// Code-page detection over Shift_JIS's lead and trail bytes: the BOM test
// matches the bytes, the counters stop at the first zero, and the guess is one
// of the code pages detection can give.
#include "FuzzSupport.h"
#include "portable/CodePageValues.h"
#include "portable/TextDetect.h"

#include <algorithm>
#include <cstring>

namespace {

DbcsTable ShiftJisTable()
{
    DbcsTable table;
    for (int c = 0; c < 256; ++c) {
        table.lead[c] = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        table.trail[c] = c >= 0x40 && c <= 0xFC && c != 0x7F;
    }
    return table;
}

void CheckBom(ByteSpan bytes)
{
    const BomMatch bom = DetectBom(bytes);
    Require((bom.codePage == kCodePageNone) == (bom.length == 0) && bom.length <= bytes.size());
    Require(bom.codePage != kCodePageUtf8 || (bom.length == 3 && bytes[0] == 0xEF));
    Require(bom.codePage != kCodePageUtf16LE || (bom.length == 2 && bytes[0] == 0xFF && bytes[1] == 0xFE));
    Require(bom.codePage != kCodePageUtf16BE || (bom.length == 2 && bytes[0] == 0xFE && bytes[1] == 0xFF));
}

// A zero at an odd offset with a non-zero byte somewhere after it.
bool HasZeroAtOddOffsetBeforeText(ByteSpan bytes)
{
    for (size_t i = 1; i < bytes.size(); i += 2)
        if (bytes[i] == 0)
            return std::any_of(bytes.begin() + i + 1, bytes.end(), [](uint8_t b) { return b != 0; });
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const DbcsTable table = ShiftJisTable();
    const ByteSpan bytes(data, size);
    const auto* nul = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    const size_t beforeNul = nul ? static_cast<size_t>(nul - data) : size;

    CheckBom(bytes);
    Require(LooksLikeUtf16LE(bytes) == HasZeroAtOddOffsetBeforeText(bytes));
    Require(CountUtf8Errors(bytes) <= beforeNul + 1);
    Require(CountInvalidDbcsPairs(bytes, table) <= beforeNul / 2 + 1);
    const std::string pairs = DoubleByteChars(bytes, table);
    Require(pairs.size() % 2 == 0 && pairs.size() <= beforeNul);
    for (size_t i = 0; i < pairs.size(); i += 2)
        Require(table.lead[static_cast<uint8_t>(pairs[i])] && pairs[i + 1] != 0);

    const bool nonCp932 = size % 2 == 1;
    const int codePage = DetectCodePage(bytes, table, [&](ByteSpan head) {
        Require(head.data() == data && head.size() == std::min(size, kDetectionBytes));
        return nonCp932;
    });
    Require(codePage == kCodePageUtf8 || codePage == kCodePageUtf16LE || codePage == kCodePageUtf16BE ||
            codePage == kCodePageAnsi);
    if (DetectBom(bytes).codePage != kCodePageNone)
        Require(codePage == DetectBom(bytes).codePage);
    return 0;
}
