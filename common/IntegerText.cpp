#include "common/IntegerText.h"

#include <climits>

namespace {
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
}

std::optional<int> ParseDecimalInt(std::wstring_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    const bool negative = !text.empty() && text.front() == L'-';
    if (!text.empty() && (text.front() == L'-' || text.front() == L'+'))
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    // Accumulated as a magnitude in 64 bits, so INT_MIN fits before the sign.
    long long magnitude = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - L'0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            return std::nullopt;
    }
    if (!negative && magnitude > INT_MAX)
        return std::nullopt;
    return static_cast<int>(negative ? -magnitude : magnitude);
}
