#include "common/Strings.h"

void SplitString(CStringArray& out, std::wstring_view text, std::wstring_view separator)
{
    out.clear();
    if (separator.empty()) {
        if (!text.empty())
            out.emplace_back(text);
        return;
    }
    size_t start = 0;
    for (size_t found; (found = text.find(separator, start)) != std::wstring_view::npos;
         start = found + separator.size())
        out.emplace_back(text.substr(start, found - start));
    if (start < text.size())
        out.emplace_back(text.substr(start));
}

std::wstring JoinStrings(const CStringArray& entries, std::wstring_view separator)
{
    std::wstring joined;
    for (const auto& entry : entries) {
        joined += entry;
        joined += separator;
    }
    return joined;
}
