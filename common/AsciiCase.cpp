#include "common/AsciiCase.h"

#include <algorithm>

namespace {

// Not towlower: that would also fold letters outside A to Z, depending on the locale.
wchar_t FoldAscii(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool CharsEqual(wchar_t a, wchar_t b)
{
    return FoldAscii(a) == FoldAscii(b);
}

bool CharsLess(wchar_t a, wchar_t b)
{
    return FoldAscii(a) < FoldAscii(b);
}

}

bool AsciiEquals(std::wstring_view a, std::wstring_view b)
{
    return std::ranges::equal(a, b, CharsEqual);
}

bool AsciiLess(std::wstring_view a, std::wstring_view b)
{
    return std::ranges::lexicographical_compare(a, b, CharsLess);
}
