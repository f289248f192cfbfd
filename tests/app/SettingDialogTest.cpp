#include "common/SettingsNames.h"
#include "common/Version.h"
#include "framework/FrameworkIds.h"
#include "framework/Resource.h"
#include "framework/Wnd.h"
#include "res/resource.h"
#include "res/strings/app.h"
#include "support/ModalDriver.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[64] = {};
    ::GetDlgItemTextW(dialog, id, text, 64);
    return text;
}

bool IsChecked(HWND dialog, int id)
{
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

}

TEST(SettingDialog, OpensOnAFreshRegistryWithTheDefaultsThroughTheMainWindow)
{
    CTestApp app;
    ASSERT_TRUE(app.InitInstance());
    std::wstring shown;
    bool firstRadio = false, secondRadio = true;
    {
        CModalDriver driver([&](HWND dialog) {
            shown = ItemText(dialog, IDC_SIZE_LIMIT);
            firstRadio = IsChecked(dialog, IDC_SHELLIDLIST_AS_FOLDER);
            secondRadio = IsChecked(dialog, IDC_SHELLIDLIST_AS_STORAGE);
            EXPECT_EQ(::GetWindow(dialog, GW_OWNER), app.GetMainHwnd());
            ClickButton(dialog, IDCANCEL);
        });
        ::SendMessageW(app.GetMainHwnd(), WM_COMMAND, ID_SETTINGS, 0);
        EXPECT_TRUE(driver.m_bActed);
    }
    EXPECT_EQ(shown, L"128");
    EXPECT_TRUE(firstRadio);
    EXPECT_FALSE(secondRadio);
    app.m_pMainWnd->DestroyWindow();
    app.PumpUntilQuit();
    app.ExitInstance();
}

TEST(SettingDialog, OkStoresAnyIntegerAndTheModeCancelChangesNothing)
{
    const struct {
        const wchar_t* text;
        int radio;
        int button;
        int limit, mode;  // expected in the application afterwards
        bool stored;
    } cases[] = {
        {L"0", IDC_SHELLIDLIST_AS_STORAGE, IDOK, 0, 1, true},
        {L"-5", IDC_SHELLIDLIST_AS_FOLDER, IDOK, -5, 0, true},
        {L" 2147483647 ", IDC_SHELLIDLIST_AS_STORAGE, IDOK, 2147483647, 1, true},
        {L"64", IDC_SHELLIDLIST_AS_STORAGE, IDCANCEL, 128, 0, false},
    };
    for (const auto& c : cases) {
        CTestApp app;
        {
            CModalDriver driver([&](HWND dialog) {
                ::SetDlgItemTextW(dialog, IDC_SIZE_LIMIT, c.text);
                ClickButton(dialog, c.radio);
                ClickButton(dialog, c.button);
            });
            EXPECT_TRUE(app.OnCmdMsg(ID_SETTINGS));
        }
        EXPECT_EQ(app.m_nSubDirSizeLimit, c.limit) << c.text;
        EXPECT_EQ(app.m_nHowToGetShellIDList, c.mode) << c.text;
        EXPECT_EQ(app.GetProfileInt(settings::kSettingsSection, settings::kSubDirSizeLimit, 99),
                  c.stored ? c.limit : 99)
            << c.text;
        EXPECT_EQ(app.GetProfileInt(settings::kSettingsSection, settings::kHowToGetShellIDList, 99),
                  c.stored ? c.mode : 99)
            << c.text;
        EXPECT_TRUE(app.m_messages.empty()) << c.text;
    }
}

TEST(SettingDialog, ANonIntegerIsRefusedWithTheMessageAndTheDialogStaysOpen)
{
    for (const wchar_t* text : {L"abc", L"", L"12MB", L"99999999999"}) {
        CTestApp app;
        app.m_nSubDirSizeLimit = 32;
        bool openAfterOk = false;
        HWND focus = nullptr, edit = nullptr;
        {
            CModalDriver driver([&](HWND dialog) {
                edit = ::GetDlgItem(dialog, IDC_SIZE_LIMIT);
                ::SetWindowTextW(edit, text);
                ClickButton(dialog, IDOK);
                openAfterOk = ::IsWindowVisible(dialog);
                focus = ::GetFocus();
                ClickButton(dialog, IDCANCEL);
            });
            app.OnCmdMsg(ID_SETTINGS);
        }
        EXPECT_TRUE(openAfterOk) << text;
        EXPECT_EQ(focus, edit) << text;
        EXPECT_EQ(app.m_messages, std::vector<std::wstring>{LoadResString(IDS_INTEGER_REQUIRED)}) << text;
        EXPECT_EQ(app.m_messageTypes, std::vector<UINT>{MB_OK}) << text;
        EXPECT_EQ(app.m_nSubDirSizeLimit, 32) << text;
        EXPECT_EQ(app.GetProfileInt(settings::kSettingsSection, settings::kSubDirSizeLimit, 99), 99) << text;
    }
}

TEST(AboutDialog, ShowsTheVersionLineWithThePointerWidth)
{
    CTestApp app;
    std::wstring line;
    CModalDriver driver([&](HWND dialog) {
        line = ItemText(dialog, IDC_VERSION);
        ClickButton(dialog, IDOK);
    });
    EXPECT_TRUE(app.OnCmdMsg(ID_APP_ABOUT));
    EXPECT_EQ(line, FormatResString(IDS_VERSION_LINE, kPlexaVersion, 64u));
}
