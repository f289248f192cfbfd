#include "capture/AnsiText.h"

#include <windows.h>

#include <climits>

std::wstring AnsiToWide(std::string_view text)
{
    // The conversion counts in int; nothing real comes near that length.
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const int count = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), count, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), count, wide.data(), length);
    return wide;
}
