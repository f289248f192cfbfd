// Decimal integers typed by the user: read exactly as the standard library's
// from_chars reads the same text with blanks trimmed and a plus sign allowed,
// and every int written out in decimal reads back.
#include "FuzzSupport.h"
#include "common/IntegerText.h"

#include <charconv>

namespace {

std::optional<int> ReferenceParse(std::wstring_view text)
{
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (text.size() > 1 && text[0] == L'+' && text[1] != L'-')
        text.remove_prefix(1);
    std::string narrow;
    for (const wchar_t c : text) {
        if (c > 0x7F)
            return std::nullopt;
        narrow += static_cast<char>(c);
    }
    int value = 0;
    const auto [end, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
    if (error != std::errc() || end != narrow.data() + narrow.size())
        return std::nullopt;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::wstring text = Utf16Units(ByteSpan(data, size));
    Require(ParseDecimalInt(text) == ReferenceParse(text));
    if (const auto value = ReadI32(ByteSpan(data, size), 0))
        Require(ParseDecimalInt(std::to_wstring(*value)) == *value);
    return 0;
}
