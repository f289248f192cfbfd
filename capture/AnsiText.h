// Text in the thread's ANSI code page, as older sources deliver names and paths.
#pragma once

#include <string>
#include <string_view>

// Bytes that are no character of the code page become its default character,
// as the platform's own conversions of such names do.
std::wstring AnsiToWide(std::string_view text);
