#include "portable/NameText.h"

#include <cstdint>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        text.push_back(static_cast<char>(0xC0 | (c >> 6)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        text.push_back(static_cast<char>(0xE0 | (c >> 12)));
        text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        text.push_back(static_cast<char>(0xF0 | (c >> 18)));
        text.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

} // namespace

std::string NameText(std::u16string_view name)
{
    std::string text;
    for (size_t i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i];
        if (IsHigh(unit) && i + 1 < name.size() && IsLow(name[i + 1])) {
            AppendUtf8(text, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{name[i + 1]} - 0xDC00));
            ++i;
        } else {
            AppendUtf8(text, IsHigh(unit) || IsLow(unit) ? kReplacement : char32_t{unit});
        }
    }
    return text;
}

std::string NameText(std::string_view ansiName)
{
    std::string text;
    for (char byte : ansiName)
        AppendUtf8(text, static_cast<uint8_t>(byte) < 0x80 ? static_cast<char32_t>(byte) : kReplacement);
    return text;
}
