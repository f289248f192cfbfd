#include "SampleSources.h"

#include <ole2.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

using namespace std::string_view_literals;

const wchar_t kSampleFormatName[] = L"Plexa&Sample";
const std::vector<std::wstring> kSampleVirtualFiles{L"one.txt", L"二つ目.txt"};

namespace {

CLIPFORMAT Registered(const wchar_t* name)
{
    return static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(name));
}

CBytes FileGroupW(const std::vector<std::wstring>& names)
{
    CBytes bytes(sizeof(UINT) + names.size() * sizeof(FILEDESCRIPTORW), 0);
    const UINT count = static_cast<UINT>(names.size());
    std::memcpy(bytes.data(), &count, sizeof(count));
    for (size_t i = 0; i < names.size(); ++i) {
        FILEDESCRIPTORW descriptor{};
        names[i].copy(descriptor.cFileName, MAX_PATH - 1);
        std::memcpy(bytes.data() + sizeof(UINT) + i * sizeof(descriptor), &descriptor, sizeof(descriptor));
    }
    return bytes;
}

CBytes DropListW(const std::vector<std::wstring>& paths)
{
    DROPFILES header{};
    header.pFiles = sizeof(header);
    header.fWide = TRUE;
    CBytes bytes(sizeof(header), 0);
    std::memcpy(bytes.data(), &header, sizeof(header));
    for (const std::wstring& path : paths) {
        const CBytes wide = BytesOf(path);
        bytes.insert(bytes.end(), wide.begin(), wide.end());
        bytes.insert(bytes.end(), 2, 0);
    }
    bytes.insert(bytes.end(), 2, 0);
    return bytes;
}

CBytes LocaleBytes(LCID locale)
{
    CBytes bytes(sizeof(locale));
    std::memcpy(bytes.data(), &locale, sizeof(locale));
    return bytes;
}

}  // namespace

CComPtr<CTestDataObject> MakeClipboardSample()
{
    auto source = CTestDataObject::Create();
    source->Offer({.cf = CF_TEXT}, CTestMedium::Global(BytesOf("Plexa clipboard text\0"sv)));
    source->Offer({.cf = CF_LOCALE}, CTestMedium::Global(LocaleBytes(0x0411)));
    source->Offer({.cf = CF_BITMAP, .tymed = TYMED_GDI}, CTestMedium::Bitmap(16, 8, RGB(0, 128, 255)));
    source->Offer({.cf = Registered(kSampleFormatName)}, CTestMedium::Global(BytesOf("sample bytes")));
    source->Offer({.cf = Registered(CFSTR_FILEDESCRIPTORW)}, CTestMedium::Global(FileGroupW(kSampleVirtualFiles)));
    source->Offer({.cf = Registered(CFSTR_FILECONTENTS), .tymed = TYMED_HGLOBAL | TYMED_ISTREAM})
        .At(0, CTestMedium::Stream(BytesOf("first file")))
        .At(1, CTestMedium::Stream(BytesOf("second file")));
    return source;
}

CComPtr<CTestDataObject> MakeDragSample(const std::vector<std::wstring>& paths)
{
    auto source = CTestDataObject::Create();
    source->Offer({.cf = CF_UNICODETEXT}, CTestMedium::Global(BytesOf(L"dragged text\0"sv)));
    source->Offer({.cf = Registered(kSampleFormatName)}, CTestMedium::Global(BytesOf("sample bytes")));
    source->Offer({.cf = CF_HDROP}, CTestMedium::Global(DropListW(paths)));
    source->Offer({.cf = CF_UNICODETEXT}, CTestMedium::Global(BytesOf(L"dragged text\0"sv)));
    return source;
}

CClipboardSource::CClipboardSource(IDataObject* source) : m_source(source), m_hr(::OleSetClipboard(source)) {}

CClipboardSource::~CClipboardSource()
{
    if (SUCCEEDED(m_hr) && ::OleIsCurrentClipboard(m_source) == S_OK)
        ::OleSetClipboard(nullptr);
}

void PutMarkedText(const std::wstring& text, const wchar_t* privacyFormat, std::optional<DWORD> value)
{
    const auto put = [](UINT format, const void* bytes, size_t size) {
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, std::max<size_t>(size, 1));
        std::memcpy(::GlobalLock(block), bytes, size);
        ::GlobalUnlock(block);
        if (!::SetClipboardData(format, block))
            ::GlobalFree(block);
    };
    if (!::OpenClipboard(nullptr))
        return;
    ::EmptyClipboard();
    put(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    put(::RegisterClipboardFormatW(privacyFormat), value ? &*value : nullptr, value ? sizeof(DWORD) : 0);
    ::CloseClipboard();
}

std::string HtmlFormatBlock(std::string_view fragment, bool countedInCharacters)
{
    const auto characters = [](std::string_view text) {
        return static_cast<size_t>(std::count_if(text.begin(), text.end(),
                                                 [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    };
    const std::string before = "<html><body>\r\n<!--StartFragment-->";
    const std::string after = "<!--EndFragment-->\r\n</body></html>";
    constexpr char kHeader[] = "Version:0.9\r\nStartHTML:%010zu\r\nEndHTML:%010zu\r\n"
                               "StartFragment:%010zu\r\nEndFragment:%010zu\r\n"
                               "SourceURL:https://example.jp/blog/hanami.html\r\n";
    const size_t headerSize = std::snprintf(nullptr, 0, kHeader, size_t{}, size_t{}, size_t{}, size_t{});
    const size_t startFragment = headerSize + before.size();
    const size_t endFragment = startFragment + (countedInCharacters ? characters(fragment) : fragment.size());
    const size_t endHtml = endFragment + after.size();
    std::string header(headerSize + 1, '\0');
    std::snprintf(header.data(), header.size(), kHeader, headerSize, endHtml, startFragment, endFragment);
    header.resize(headerSize);
    return header + before + std::string(fragment) + after;
}
