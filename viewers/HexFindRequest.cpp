#include "viewers/HexFindRequest.h"

#include <windows.h>

#include <algorithm>

namespace {

// Nothing when some character has no bytes in the code page.
BytePattern Encode(const std::wstring& text, UINT codePage)
{
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultArg = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int size = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, usedDefaultArg);
    if (length <= 0 || usedDefault)
        return {};
    BytePattern bytes(static_cast<size_t>(length));
    ::WideCharToMultiByte(codePage, flags, text.data(), size, reinterpret_cast<char*>(bytes.data()), length, nullptr,
                          nullptr);
    return bytes;
}

}

std::vector<BytePattern> FindPatterns(const CHexFindRequest& request)
{
    if (request.asHex) {
        if (auto bytes = ParseHexPattern(request.text))
            return {*bytes};
        return {};
    }
    if (request.text.empty())
        return {};
    std::vector<BytePattern> patterns;
    const auto* wide = reinterpret_cast<const uint8_t*>(request.text.data());
    for (BytePattern bytes : {Encode(request.text, CP_ACP), Encode(request.text, CP_UTF8),
                              BytePattern(wide, wide + request.text.size() * sizeof(wchar_t))}) {
        // ASCII text is the same in ANSI and UTF-8.
        if (!bytes.empty() && std::find(patterns.begin(), patterns.end(), bytes) == patterns.end())
            patterns.push_back(std::move(bytes));
    }
    return patterns;
}
