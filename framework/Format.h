// printf-style formatting into a wide string.
#pragma once

#include <string>

std::wstring FormatString(const wchar_t* format, ...);
