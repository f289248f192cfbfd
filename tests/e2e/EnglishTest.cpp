// Journeys through the English interface. They run in a second pass of this
// program under an English locale, where Plexa chooses English as Windows
// does for such a user; the first pass, under the Japanese locale, skips them.
#include "PlexaSession.h"
#include "RemoteControls.h"
#include "SampleSources.h"
#include "framework/FrameworkIds.h"
#include "framework/Resource.h"
#include "res/resource.h"

#include <algorithm>

namespace {

class English : public PlexaSession {};

// The caption dialog template `id` has in English, as this program's own copy of the resources has it.
std::wstring EnglishCaption(UINT id)
{
    // Pages are child dialogs: they need a parent.
    const HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const auto bytes = FindResourceBytesIn(id, RT_DIALOG, kEnglishUi);
    const HWND dialog = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr),
                                                     reinterpret_cast<const DLGTEMPLATE*>(bytes.data()), parent,
                                                     [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    wchar_t caption[128]{};
    ::GetWindowTextW(dialog, caption, 128);
    ::DestroyWindow(parent);
    return caption;
}

// A dialog or message box of process `processId` captioned `caption`, or null.
HWND FindDialogOf(DWORD processId, const std::wstring& caption)
{
    for (HWND box = nullptr; (box = ::FindWindowExW(nullptr, box, L"#32770", caption.c_str())) != nullptr;) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(box, &owner);
        if (owner == processId && ::IsWindowVisible(box))
            return box;
    }
    return nullptr;
}

std::wstring TextOf(HWND window, int id)
{
    wchar_t text[512]{};
    ::GetDlgItemTextW(window, id, text, 512);
    return text;
}

void Click(HWND dialog, int id)
{
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

}  // namespace

TEST_F(English, TheWindowItsPagesAndItsDialogsSpeakEnglish)
{
    CPlexaWindow plexa = Start();
    const DWORD processId = plexa.ProcessId();
    EXPECT_EQ(plexa.Title(), LoadResStringIn(IDS_UNTITLED, kEnglishUi) + L" - Plexa");

    CClipboardSample sample;
    ASSERT_EQ(sample.clipboard.Result(), S_OK);
    ASSERT_TRUE(plexa.RunCommand(ID_EDIT_PASTE));
    const std::vector<std::wstring> pages{EnglishCaption(IDD_PROPERTY_VIEW), EnglishCaption(IDD_TEXT_VIEW),
                                          EnglishCaption(IDD_HEX_VIEW), EnglishCaption(IDD_IMAGE_VIEW)};
    for (const std::wstring& tab : ReadRemoteTabTexts(plexa.PageTabs()))
        EXPECT_NE(std::find(pages.begin(), pages.end(), tab), pages.end()) << "a page named " << testing::PrintToString(tab);

    // The settings dialog, and the message box of a size that is no number.
    std::wstring sizeLabel, message;
    EXPECT_TRUE(plexa.RunCommand(ID_SETTINGS, [&] {
        if (const HWND box = FindDialogOf(processId, L"Plexa")) {
            message = TextOf(box, 0xFFFF);
            Click(box, IDOK);
        } else if (const HWND settings = FindDialogOf(processId, EnglishCaption(IDD_SETTINGS))) {
            if (message.empty()) {
                sizeLabel = TextOf(settings, IDC_SHELLIDLIST_AS_FOLDER);
                ::SetDlgItemTextW(settings, IDC_SIZE_LIMIT, L"many");
                Click(settings, IDOK);
            } else {
                Click(settings, IDCANCEL);
            }
        }
    }));
    EXPECT_EQ(sizeLabel, L"As IShellFolder");
    EXPECT_EQ(message, LoadResStringIn(IDS_INTEGER_REQUIRED, kEnglishUi));

    bool aboutShown = false;
    EXPECT_TRUE(plexa.RunCommand(ID_APP_ABOUT, [&] {
        if (const HWND about = FindDialogOf(processId, EnglishCaption(IDD_ABOUTBOX))) {
            aboutShown = true;
            Click(about, IDOK);
        }
    }));
    EXPECT_TRUE(aboutShown);
}

TEST_F(English, LangOnTheCommandLineChoosesJapaneseForTheRun)
{
    const CPlexaWindow plexa = Start(L"/lang ja");
    EXPECT_EQ(plexa.Title(), LoadResStringIn(IDS_UNTITLED, kJapaneseUi) + L" - Plexa");
}
