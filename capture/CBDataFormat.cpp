// The node's naming and its built-in per-format first page and code page.
#include "capture/CBData.h"

#include "capture/FormatNames.h"
#include "common/AsciiKeyTable.h"

#include <optional>
#include <string_view>

namespace {

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

int CCBData::GetBuiltInViewTab() const
{
    return BuiltInPage(GetFormatKey()).value_or(m_nDefaultTab);
}

int CCBData::GetCodePage() const
{
    static const CKeyIntTable table(kCodePages);
    const int* codePage = table.Find(GetFormatKey());
    return codePage ? *codePage : m_nCodePage;
}
