#include "portable/TextBytes.h"

#include "portable/CodePageValues.h"
#include "portable/TextDetect.h"

#include <algorithm>

TextBytes ByteCodePageText(ByteSpan bytes, int codePage)
{
    const auto nul = std::find(bytes.begin(), bytes.end(), uint8_t{0});
    TextBytes text{bytes.first(static_cast<size_t>(nul - bytes.begin())), nul != bytes.end()};
    if (codePage == kCodePageUtf8 && DetectBom(bytes).codePage == kCodePageUtf8)
        text.bytes = text.bytes.subspan(std::min<size_t>(3, text.bytes.size()));
    return text;
}

std::wstring Utf16Text(ByteSpan bytes, int codePage, bool& nulFound)
{
    const bool bigEndian = codePage == kCodePageUtf16BE;
    const auto unitAt = [bytes, bigEndian](size_t i) {
        const uint8_t low = bytes[2 * i + (bigEndian ? 1 : 0)];
        const uint8_t high = bytes[2 * i + (bigEndian ? 0 : 1)];
        return static_cast<wchar_t>(low | high << 8);
    };
    const size_t units = bytes.size() / 2;
    size_t length = 0;
    while (length < units && unitAt(length) != 0)
        ++length;
    nulFound = length < units;
    const size_t first = DetectBom(bytes).codePage == (bigEndian ? kCodePageUtf16BE : kCodePageUtf16LE) ? 1 : 0;
    std::wstring text(length - std::min(first, length), L'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = unitAt(first + i);
    return text;
}
