#include "portable/SaveFileName.h"

#include "common/AsciiCase.h"

#include <utility>

namespace {

constexpr std::pair<std::wstring_view, std::wstring_view> kExtensions[] = {
    {L"PNG", L".png"},
    {L"image/png", L".png"},
    {L"GIF", L".gif"},
    {L"image/gif", L".gif"},
    {L"JFIF", L".jpg"},
    {L"image/jpeg", L".jpg"},
    {L"image/bmp", L".bmp"},
    {L"image/svg+xml", L".svg"},
    {L"Rich Text Format", L".rtf"},
    {L"text/rtf", L".rtf"},
    {L"HTML Format", L".html"},
    {L"text/html", L".html"},
    {L"text/plain", L".txt"},
    {L"CF_TEXT", L".txt"},
    {L"CF_OEMTEXT", L".txt"},
    {L"CF_UNICODETEXT", L".txt"},
    {L"Csv", L".csv"},
    {L"text/csv", L".csv"},
    {L"XML Spreadsheet", L".xml"},
    {L"application/json", L".json"},
    {L"CF_ENHMETAFILE", L".emf"},
    {L"UniformResourceLocator", L".url"},
};

constexpr std::wstring_view kUnknownExtension = L".bin";

std::wstring_view Unquoted(std::wstring_view name)
{
    if (name.size() >= 2 && name.front() == L'"' && name.back() == L'"')
        return name.substr(1, name.size() - 2);
    return name;
}

std::wstring_view LastPathPart(std::wstring_view path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

std::wstring ValidFileName(std::wstring_view name)
{
    std::wstring result(name);
    for (wchar_t& c : result) {
        if (c < 0x20 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
            c = L'_';
    }
    // Windows drops trailing dots and blanks, which would change the name the user saw.
    while (!result.empty() && (result.back() == L'.' || result.back() == L' '))
        result.pop_back();
    return result;
}

}

std::wstring ProposeSaveFileName(std::wstring_view nodeName, std::wstring_view formatName)
{
    if (std::wstring own = ValidFileName(LastPathPart(nodeName)); !own.empty())
        return own;
    const std::wstring_view format = Unquoted(formatName);
    std::wstring_view extension = kUnknownExtension;
    for (const auto& [name, ext] : kExtensions) {
        if (AsciiEquals(format, name)) {
            extension = ext;
            break;
        }
    }
    std::wstring base = ValidFileName(format);
    if (base.empty())
        base = L"data";
    return base + std::wstring(extension);
}
