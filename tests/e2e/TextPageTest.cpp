// A pasted CF_UNICODETEXT opened on the text page of a running Plexa.exe,
// its edit and report line read back from the test process.
#include "PlexaSession.h"
#include "TreeExpectations.h"
#include "framework/Clipboard.h"
#include "framework/Handles.h"
#include "framework/Registry.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace {

void PutUnicodeText(const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    CGlobalHandle block(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    std::memcpy(CGlobalLock(block).Get(), text.c_str(), bytes);
    const CClipboard clipboard(nullptr);
    ASSERT_TRUE(::EmptyClipboard());
    ASSERT_NE(::SetClipboardData(CF_UNICODETEXT, block), nullptr);
    block.Detach();
}

// The text of the content pane's control `id`, as another program reads it.
std::wstring ControlText(const CPlexaWindow& plexa, int id)
{
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    ::EnumChildWindows(
        plexa.ContentPane(),
        [](HWND hWnd, LPARAM param) {
            auto* s = reinterpret_cast<Search*>(param);
            if (::GetDlgCtrlID(hWnd) != s->id)
                return TRUE;
            s->found = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return L"(no control)";
    wchar_t text[256] = {};
    ::SendMessageW(search.found, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace

TEST_F(PlexaSession, PastedUnicodeTextShowsOnTheTextPage)
{
    registry::WriteString(L"Software\\Plexa\\Plexa\\FormatsDefaultViewTab", L"CF_UNICODETEXT", L"TEXT");
    CPlexaWindow plexa = Start();
    PutUnicodeText(L"こんにちは\nPlexa");
    ASSERT_TRUE(plexa.RunCommand(ID_EDIT_PASTE));

    const std::vector<CRemoteTreeItem> formats = SingleRoot(ReadRemoteTree(plexa.Tree())).children;
    const auto unicode = std::find_if(formats.begin(), formats.end(),
                                      [](const CRemoteTreeItem& item) { return item.text == L"CF_UNICODETEXT"; });
    ASSERT_NE(unicode, formats.end());
    TreeView_SelectItem(plexa.Tree(), unicode->handle);

    EXPECT_EQ(ControlText(plexa, IDC_TEXT), L"こんにちは\r\nPlexa");
    EXPECT_EQ(ControlText(plexa, IDC_TEXT_INFO), L"終端NUL: あり  改行コード: *LFのみ*");
}
