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

// The units from `first` to the first zero unit.
template <size_t LowByte>
std::wstring UnitsToNul(ByteSpan bytes, size_t first, bool& nulFound)
{
    const size_t units = bytes.size() / 2;
    size_t end = std::min(first, units);
    while (end < units && (bytes[2 * end] | bytes[2 * end + 1]) != 0)
        ++end;
    nulFound = end < units;
    std::wstring text(end - std::min(first, end), L'\0');
    const uint8_t* source = bytes.data() + 2 * first;
    if constexpr (LowByte == 0 && sizeof(wchar_t) == 2 && std::endian::native == std::endian::little) {
        std::memcpy(text.data(), source, text.size() * 2);
    } else {
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>(source[2 * i + LowByte] | source[2 * i + 1 - LowByte] << 8);
    }
    return text;
}

}

std::wstring Utf16Text(ByteSpan bytes, int codePage, bool& nulFound)
{
    const bool bigEndian = codePage == kCodePageUtf16BE;
    const size_t first = DetectBom(bytes).codePage == (bigEndian ? kCodePageUtf16BE : kCodePageUtf16LE) ? 1 : 0;
    return bigEndian ? UnitsToNul<1>(bytes, first, nulFound) : UnitsToNul<0>(bytes, first, nulFound);
}
