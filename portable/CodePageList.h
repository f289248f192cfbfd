// The code pages the text page offers: five built-in entries and the user's
// own from the "CodePages" setting, which the editor shows a line per entry.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One entry of the list, named as the combo box shows it.
class CPlexaCP {
public:
    std::wstring m_strName;
    int m_nCodePage = 0;

    bool operator==(const CPlexaCP&) const = default;
};
using CCodePageArray = std::vector<CPlexaCP>;

// The setting when none is stored; an empty stored value means no user entries.
inline constexpr wchar_t kDefaultCodePages[] = L"ISO-2022-JP=50220;EUC-JP=51932;Windows-1252=1252;";

// White space (as iswspace has it) removed from both ends.
std::wstring TrimSpace(std::wstring_view text);
// An optional sign and the decimal digits up to the first other character, as
// wcstol reads them; no digits give 0, and values beyond 32 bits are clamped.
int ParseCodePageNumber(std::wstring_view text);

// The built-in entries, less one for each user entry of the same code page
// (searched from the last), then the user entries of `stored` in their order.
// A piece is "name=number", or a number text that serves as both; pieces with
// an empty name or number are ignored.
CCodePageArray BuildCodePageList(std::wstring_view stored);
// Appends an entry named by the number when no entry has that code page.
void AddCodePageIfMissing(CCodePageArray& list, int codePage);

// The stored value as the editor shows it: each entry followed by a line break.
std::wstring CodePagesToEditorText(std::wstring_view stored);
// The editor's lines, trimmed, the empty ones dropped, each followed by ";".
std::wstring EditorTextToCodePages(std::wstring_view text);
