// printf-style formatting into a wide string.
#pragma once

#include <string>

#include <cstdarg>

std::wstring FormatString(const wchar_t* format, ...);
std::wstring FormatStringV(const wchar_t* format, va_list args);
