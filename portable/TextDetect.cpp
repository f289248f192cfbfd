#include "portable/TextDetect.h"

#include "portable/CodePageValues.h"

#include <algorithm>

BomMatch DetectBom(ByteSpan bytes)
{
    const auto startsWith = [bytes](std::initializer_list<uint8_t> mark) {
        return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
    };
    if (startsWith({0xEF, 0xBB, 0xBF}))
        return {kCodePageUtf8, 3};
    if (startsWith({0xFF, 0xFE}))
        return {kCodePageUtf16LE, 2};
    if (startsWith({0xFE, 0xFF}))
        return {kCodePageUtf16BE, 2};
    return {kCodePageNone, 0};
}

bool LooksLikeUtf16LE(ByteSpan bytes)
{
    bool oddZeroSeen = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != 0 && oddZeroSeen)
            return true;
        if (bytes[i] == 0 && i % 2 == 1)
            oddZeroSeen = true;
    }
    return false;
}

size_t CountUtf8Errors(ByteSpan bytes)
{
    size_t errors = 0;
    int need = 0;
    for (const uint8_t c : bytes) {
        if (need > 0) {
            --need;
            if (c == 0)
                return errors + 1;
            if (c < 0x80)
                ++errors;
            continue;
        }
        if (c == 0)
            break;
        if (c < 0x80)
            continue;
        if ((c & 0xE0) == 0xC0)
            need = 1;
        else if ((c & 0xF0) == 0xE0)
            need = 2;
        else if ((c & 0xF8) == 0xF0)
            need = 3;
        else
            ++errors;
    }
    return errors;
}

size_t CountInvalidDbcsPairs(ByteSpan bytes, const DbcsTable& table)
{
    size_t errors = 0;
    bool trailNext = false;
    for (const uint8_t c : bytes) {
        if (trailNext) {
            trailNext = false;
            if (c == 0)
                return errors + 1;
            if (!table.trail[c])
                ++errors;
            continue;
        }
        if (c == 0)
            break;
        trailNext = table.lead[c];
    }
    return errors;
}

std::string DoubleByteChars(ByteSpan bytes, const DbcsTable& table)
{
    std::string pairs;
    for (size_t i = 0; i < bytes.size() && bytes[i] != 0; ++i) {
        if (!table.lead[bytes[i]])
            continue;
        if (i + 1 == bytes.size() || bytes[i + 1] == 0)
            break;
        pairs += static_cast<char>(bytes[i]);
        pairs += static_cast<char>(bytes[++i]);
    }
    return pairs;
}

int DetectCodePage(ByteSpan bytes, const DbcsTable& ansi, const std::function<bool(ByteSpan)>& hasNonCp932Chars)
{
    if (const int marked = DetectBom(bytes).codePage; marked != kCodePageNone)
        return marked;
    const ByteSpan head = bytes.first(std::min(bytes.size(), kDetectionBytes));
    if (LooksLikeUtf16LE(head))
        return kCodePageUtf16LE;
    const bool utf8Errors = CountUtf8Errors(head) > 0;
    const bool dbcsErrors = CountInvalidDbcsPairs(head, ansi) > 0;
    if (utf8Errors)
        return dbcsErrors ? kCodePageUtf16LE : kCodePageAnsi;
    if (dbcsErrors)
        return kCodePageUtf8;
    return hasNonCp932Chars(head) ? kCodePageUtf8 : kCodePageAnsi;
}
