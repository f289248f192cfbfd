// The data a person would have on the clipboard or drag into Plexa, built
// on the test data object and put where Plexa reads it.
#pragma once

#include "framework/ComPtr.h"
#include "support/TestDataObject.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text, a locale, a bitmap, a registered format with an ampersand in its
// name, and two virtual files (a wide file group with its FileContents).
CComPtr<CTestDataObject> MakeClipboardSample();
// Text, a registered format, the real files `paths` as CF_HDROP, and the
// text's description a second time.
CComPtr<CTestDataObject> MakeDragSample(const std::vector<std::wstring>& paths);

// "HTML Format" of `fragment` (UTF-8) as browsers write it: a header of byte
// offsets; with `countedInCharacters`, as a source with the common fault
// writes it, the fragment's end counted in characters.
std::string HtmlFormatBlock(std::string_view fragment, bool countedInCharacters = false);

extern const wchar_t kSampleFormatName[];
extern const std::vector<std::wstring> kSampleVirtualFiles;

// Puts `text` on the clipboard marked with the registered format
// `privacyFormat`, holding the DWORD `value` when given (nothing otherwise).
void PutMarkedText(const std::wstring& text, const wchar_t* privacyFormat, std::optional<DWORD> value);

// Holds a data object on the real clipboard through OLE; takes it off again
// unless something else has replaced it.
class CClipboardSource {
public:
    explicit CClipboardSource(IDataObject* source);
    ~CClipboardSource();
    CClipboardSource(const CClipboardSource&) = delete;
    CClipboardSource& operator=(const CClipboardSource&) = delete;

    HRESULT Result() const { return m_hr; }

private:
    CComPtr<IDataObject> m_source;
    HRESULT m_hr;
};

// The clipboard sample, on the clipboard while the object lives.
struct CClipboardSample {
    CComPtr<CTestDataObject> source = MakeClipboardSample();
    CClipboardSource clipboard{source};
};
