// The node's naming and its per-format choices of first page and code page.
#include "capture/CBData.h"

#include "framework/WinApp.h"
#include "capture/FormatNames.h"
#include "common/AsciiKeyTable.h"

#include <iterator>
#include <optional>
#include <string_view>

namespace {

constexpr wchar_t kSection[] = L"FormatsDefaultViewTab";

// Indexed by page number; these words are what the settings store.
constexpr const wchar_t* kPageNames[] = {L"HEX", L"TEXT", L"IMAGE", L"PROPERTY"};
static_assert(kTabHex == 0 && kTabText == 1 && kTabImage == 2 && kTabProperty == 3);

using CKeyIntTable = CAsciiKeyTable<int>;

// Keys in double quotes are those of registered formats, which are named so.
constexpr CKeyIntTable::Row kDefaultPages[] = {
    {L"\"HTML Format\"", kTabText},
    {L"CFSTR_FILENAMEA", kTabText},
    {L"CFSTR_FILENAMEW", kTabText},
    {L"CFSTR_INETURLA", kTabText},
    {L"CFSTR_INETURLW", kTabText},
    {L"CFSTR_SHELLURL", kTabText},
    {L".png", kTabImage},
    {L".jpg", kTabImage},
    {L".jpeg", kTabImage},
    {L".gif", kTabImage},
    {L"\"PNG\"", kTabImage},
    {L"\"Rich Text Format\"", kTabText},
    {L".bmp", kTabImage},
    {L".tiff", kTabImage},
    {L".exif", kTabImage},
    {L".url", kTabText},
    {L"\"application/microdata+json\"", kTabText},
    {L"\"application/x-moz-file-promise-url\"", kTabText},
    {L"\"application/x-moz-file-promise-dest-filename\"", kTabText},
    {L"\"Csv\"", kTabText},
    {L"\"msSourceUrl\"", kTabText},
    {L"\"GIF\"", kTabImage},
    {L"\"JFIF\"", kTabImage},
    {L"\"XML Spreadsheet\"", kTabText},
};

constexpr CKeyIntTable::Row kCodePages[] = {
    {L"\"HTML Format\"", 65001},
    {L"CFSTR_FILENAMEA", kCodePageAnsi},
    {L"CFSTR_FILENAMEW", kCodePageUtf16LE},
    {L"CFSTR_INETURLA", kCodePageAnsi},
    {L"CFSTR_INETURLW", kCodePageUtf16LE},
    {L"CFSTR_SHELLURL", kCodePageAnsi},
};

// Registered MIME types such as text/html; text/plain has a constant name instead.
constexpr std::wstring_view kQuotedTextMimePrefix = L"\"text/";

std::optional<int> BuiltInPage(std::wstring_view key)
{
    static const CKeyIntTable table(kDefaultPages);
    if (const int* page = table.Find(key))
        return *page;
    if (AsciiEquals(key.substr(0, kQuotedTextMimePrefix.size()), kQuotedTextMimePrefix))
        return kTabText;
    return std::nullopt;
}

std::optional<int> PageOfName(std::wstring_view name)
{
    for (int page = 0; page < static_cast<int>(std::size(kPageNames)); ++page) {
        if (AsciiEquals(name, kPageNames[page]))
            return page;
    }
    return std::nullopt;
}

}

std::wstring CCBData::GetLabel() const
{
    if (!m_strDisplayName.empty())
        return m_strDisplayName;
    if (!m_strName.empty())
        return m_strName;
    return GetFormatEtcName(m_fmt);
}

std::wstring CCBData::GetFormatKey() const
{
    const size_t dot = m_strName.rfind(L'.');
    if (dot != std::wstring::npos)
        return m_strName.substr(dot);
    return GetFormatName(m_fmt.cfFormat);
}

int CCBData::GetDefaultViewTab() const
{
    const std::wstring key = GetFormatKey();
    const std::wstring stored = AfxGetApp()->GetProfileString(kSection, key.c_str(), L"");
    // A stored word that is not a page name still overrides the built-in table.
    if (!stored.empty())
        return PageOfName(stored).value_or(m_nDefaultTab);
    return BuiltInPage(key).value_or(m_nDefaultTab);
}

void CCBData::SetDefaultViewTab(int tab) const
{
    if (tab < 0 || tab >= static_cast<int>(std::size(kPageNames)))
        return;
    AfxGetApp()->WriteProfileString(kSection, GetFormatKey().c_str(), kPageNames[tab]);
}

int CCBData::GetCodePage() const
{
    static const CKeyIntTable table(kCodePages);
    const int* codePage = table.Find(GetFormatKey());
    return codePage ? *codePage : m_nCodePage;
}
