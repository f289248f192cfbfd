#include "framework/Format.h"

#include <cstdarg>
#include <cwchar>

std::wstring FormatString(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring text = FormatStringV(format, args);
    va_end(args);
    return text;
}

std::wstring FormatStringV(const wchar_t* format, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    const int length = _vscwprintf(format, measure);
    va_end(measure);
    std::wstring text;
    if (length > 0) {
        text.resize(length);
        _vsnwprintf(text.data(), text.size() + 1, format, args);
    }
    return text;
}
