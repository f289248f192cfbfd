#include "portable/CodePageList.h"

#include "common/Strings.h"
#include "portable/CodePageValues.h"

#include <algorithm>
#include <climits>
#include <cwctype>
#include <iterator>

std::wstring TrimSpace(std::wstring_view text)
{
    const auto isSpace = [](wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; };
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isSpace(text[begin]))
        ++begin;
    while (end > begin && isSpace(text[end - 1]))
        --end;
    return std::wstring(text.substr(begin, end - begin));
}

int ParseCodePageNumber(std::wstring_view text)
{
    size_t i = 0;
    const bool negative = i < text.size() && text[i] == L'-';
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+'))
        ++i;
    // Counted past the 32-bit range at most once, so the sum cannot overflow.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
        value = std::min(value * 10 + (text[i] - L'0'), limit);
    return static_cast<int>(negative ? -value : value);
}

CCodePageArray BuildCodePageList(std::wstring_view stored)
{
    CCodePageArray list{{L"CP_ACP", kCodePageAnsi},
                        {L"CP_OEMCP", kCodePageOem},
                        {L"CP_UTF8", kCodePageUtf8},
                        {L"UTF-16LE", kCodePageUtf16LE},
                        {L"UTF-16BE", kCodePageUtf16BE}};
    CCodePageArray user;
    CStringArray pieces;
    SplitString(pieces, stored, L";");
    for (const std::wstring& piece : pieces) {
        const size_t equals = piece.find(L'=');
        const std::wstring name = TrimSpace(std::wstring_view(piece).substr(0, equals));
        const std::wstring number =
            equals == std::wstring::npos ? name : TrimSpace(std::wstring_view(piece).substr(equals + 1));
        if (name.empty() || number.empty())
            continue;
        const int codePage = ParseCodePageNumber(number);
        // Only built-in entries are in `list` here: a user entry never replaces another.
        for (auto it = list.rbegin(); it != list.rend(); ++it) {
            if (it->m_nCodePage == codePage) {
                list.erase(std::next(it).base());
                break;
            }
        }
        user.push_back({name, codePage});
    }
    list.insert(list.end(), user.begin(), user.end());
    return list;
}

void AddCodePageIfMissing(CCodePageArray& list, int codePage)
{
    for (const CPlexaCP& entry : list) {
        if (entry.m_nCodePage == codePage)
            return;
    }
    list.push_back({std::to_wstring(codePage), codePage});
}

std::wstring CodePagesToEditorText(std::wstring_view stored)
{
    CStringArray pieces;
    SplitString(pieces, stored, L";");
    return JoinStrings(pieces, L"\r\n");
}

std::wstring EditorTextToCodePages(std::wstring_view text)
{
    CStringArray lines;
    SplitString(lines, text, L"\r\n");
    CStringArray kept;
    for (const std::wstring& line : lines) {
        if (std::wstring trimmed = TrimSpace(line); !trimmed.empty())
            kept.push_back(std::move(trimmed));
    }
    return JoinStrings(kept, L";");
}
