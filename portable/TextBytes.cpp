#include "portable/TextBytes.h"

#include "portable/CodePageValues.h"
#include "portable/TextDetect.h"

#include <algorithm>
#include <bit>
#include <cstring>

TextBytes ByteCodePageText(ByteSpan bytes, int codePage)
{
    const auto* nul = static_cast<const uint8_t*>(std::memchr(bytes.data(), 0, bytes.size()));
    TextBytes text{bytes.first(nul ? static_cast<size_t>(nul - bytes.data()) : bytes.size()), nul != nullptr};
    if (codePage == kCodePageUtf8 && DetectBom(bytes).codePage == kCodePageUtf8)
        text.bytes = text.bytes.subspan(std::min<size_t>(3, text.bytes.size()));
    return text;
}

namespace {

// The index of the first zero unit at or after `from`, or `units`. Four
// units at a time while none of them is zero: this runs over whole nodes.
size_t FindZeroUnit(ByteSpan bytes, size_t from, size_t units)
{
    constexpr uint64_t kLow = 0x0001000100010001;
    constexpr uint64_t kHigh = 0x8000800080008000;
    for (; from + 4 <= units; from += 4) {
        uint64_t v;
        std::memcpy(&v, bytes.data() + 2 * from, sizeof(v));
        if (((v - kLow) & ~v & kHigh) != 0)
            break;
    }
    while (from < units && (bytes[2 * from] | bytes[2 * from + 1]) != 0)
        ++from;
    return from;
}

// The units from `first` to the first zero unit.
template <size_t LowByte>
std::wstring UnitsToNul(ByteSpan bytes, size_t first, bool& nulFound)
{
    const size_t units = bytes.size() / 2;
    first = std::min(first, units);
    const size_t end = FindZeroUnit(bytes, first, units);
    nulFound = end < units;
    const uint8_t* source = bytes.data() + 2 * first;
    if constexpr (LowByte == 0 && sizeof(wchar_t) == 2 && std::endian::native == std::endian::little) {
        // The bytes are the units already; copied without a zero-filled buffer first.
        return std::wstring(reinterpret_cast<const wchar_t*>(source), end - first);
    } else {
        std::wstring text(end - first, L'\0');
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>(source[2 * i + LowByte] | source[2 * i + 1 - LowByte] << 8);
        return text;
    }
}

}

std::wstring Utf16Text(ByteSpan bytes, int codePage, bool& nulFound)
{
    // Only the chosen encoding's own mark is not text: any other negative
    // value reads little-endian and shows FF FE as U+FEFF.
    const BomMatch bom = DetectBom(bytes);
    const size_t first = bom.length != 0 && bom.codePage == codePage ? 1 : 0;
    return codePage == kCodePageUtf16BE ? UnitsToNul<1>(bytes, first, nulFound) : UnitsToNul<0>(bytes, first, nulFound);
}
