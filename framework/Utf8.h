// Conversions between the wide strings of Windows and UTF-8 text.
#pragma once

#include <string>
#include <string_view>

// Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::wstring_view text);
// Bytes that are not UTF-8 become U+FFFD.
std::wstring FromUtf8(std::string_view text);
