// Pasted text formats opened on the text page of a running Plexa.exe, the
// edit read back from the test process.
#include "PlexaSession.h"
#include "TreeExpectations.h"
#include "framework/Clipboard.h"
#include "framework/Handles.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

struct CTextSample {
    UINT format;
    const wchar_t* label;  // the node's text in the tree
    std::string bytes;
    const wchar_t* shown;  // what the text page's edit holds
};

// Fills the clipboard with every sample at once, each under its own format.
void PutSamples(const std::vector<CTextSample>& samples)
{
    const CClipboard clipboard(nullptr);
    ASSERT_TRUE(::EmptyClipboard());
    for (const CTextSample& sample : samples) {
        CGlobalHandle block(::GlobalAlloc(GMEM_MOVEABLE, sample.bytes.size()));
        std::memcpy(CGlobalLock(block).Get(), sample.bytes.data(), sample.bytes.size());
        ASSERT_NE(::SetClipboardData(sample.format, block), nullptr) << sample.format;
        block.Detach();
    }
}

std::string WideBytes(const std::wstring& text)
{
    return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
}

}  // namespace

TEST_F(PlexaSession, PastedTextFormatsShowOnTheTextPage)
{
    const std::vector<CTextSample> samples{
        {CF_TEXT, L"CF_TEXT", std::string("\x83\x65\x83\x4c\x83\x58\x83\x67\r\nANSI", 15), L"テキスト\r\nANSI"},
        {CF_UNICODETEXT, L"CF_UNICODETEXT", WideBytes(L"こんにちは\nPlexa"), L"こんにちは\r\nPlexa"},
        {::RegisterClipboardFormatW(L"HTML Format"), L"\"HTML Format\"",
         "Version:0.9\r\n<p>\xe6\x97\xa5\xe6\x9c\xac</p>", L"Version:0.9\r\n<p>日本</p>"},
        {::RegisterClipboardFormatW(L"Rich Text Format"), L"\"Rich Text Format\"", "{\\rtf1 plain}",
         L"{\\rtf1 plain}"},
    };
    CPlexaWindow plexa = Start();
    PutSamples(samples);
    ASSERT_TRUE(plexa.RunCommand(ID_EDIT_PASTE));

    const std::vector<CRemoteTreeItem> formats = SingleRoot(ReadRemoteTree(plexa.Tree())).children;
    for (const CTextSample& sample : samples) {
        const auto node = std::find_if(formats.begin(), formats.end(),
                                       [&](const CRemoteTreeItem& item) { return item.text == sample.label; });
        ASSERT_NE(node, formats.end()) << sample.label;
        TreeView_SelectItem(plexa.Tree(), node->handle);
        EXPECT_EQ(CPlexaWindow::TextOf(plexa.ContentControl(IDC_TEXT)), sample.shown) << sample.label;
    }
}
