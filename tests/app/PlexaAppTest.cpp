#include "common/SettingsNames.h"
#include "framework/FrameworkIds.h"
#include "framework/Menu.h"
#include "framework/Registry.h"
#include "framework/Resource.h"
#include "framework/Wnd.h"
#include "res/resource.h"
#include "res/strings/app.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {

std::wstring MenuText(HMENU menu, int position)
{
    wchar_t text[256] = {};
    ::GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return text;
}

bool KeyExists(const std::wstring& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

}

TEST(PlexaApp, StartUpStopsWithTheWorkingFileMessageWhenTheMarkerCannotBeOpened)
{
    CTestApp app;
    WriteFileBytes(app.m_tempRoot / L"blocker", "a file where the temporary folder should be");
    app.m_strTempRootOverride = app.m_tempRoot / L"blocker";

    EXPECT_FALSE(app.InitInstance());
    ASSERT_EQ(app.m_messages.size(), 1u);
    const std::wstring marker = app.m_tempRoot / L"blocker" + L"\\{F60B5956-6986-4CEF-9737-34DAA74A5C1E}\\$ichk$.tmp";
    EXPECT_EQ(app.m_messages[0], FormatResString(IDS_WORK_FILE_CANNOT_OPEN, marker.c_str()));
    EXPECT_EQ(app.m_messageTypes[0], static_cast<UINT>(MB_OK));
    EXPECT_EQ(app.m_pMainWnd, nullptr) << "no window exists when the folder cannot be had";
    app.ExitInstance();
}

TEST(PlexaApp, CaptureSettingsDefaultOnAnEmptyRegistryAndAreReadWhenStored)
{
    {
        CTestApp app;
        ASSERT_TRUE(app.InitInstance());
        EXPECT_EQ(app.m_nSubDirSizeLimit, 128);
        EXPECT_EQ(app.m_nHowToGetShellIDList, 0);
        EXPECT_EQ(app.GetProfileString(settings::kSettingsSection, settings::kCodePages, L"(none)"), L"(none)");
        app.ExitInstance();
    }
    CTestApp app;
    app.WriteProfileInt(settings::kSettingsSection, settings::kSubDirSizeLimit, 7);
    app.WriteProfileInt(settings::kSettingsSection, settings::kHowToGetShellIDList, 1);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.m_nSubDirSizeLimit, 7);
    EXPECT_EQ(app.m_nHowToGetShellIDList, 1);
    app.ExitInstance();
}

TEST(PlexaApp, ShowsTheUntitledFrameWithItsMenuAndClosingRemovesTheWorkingFolder)
{
    CTestApp app;
    ASSERT_TRUE(app.InitInstance());
    ASSERT_NE(app.m_pMainWnd, nullptr);
    const HWND frame = *app.m_pMainWnd;
    EXPECT_EQ(app.m_pMainWnd->GetWindowText(), LoadResString(IDS_UNTITLED) + L" - Plexa");
    EXPECT_TRUE(::IsWindowVisible(frame));
    const HMENU menu = ::GetMenu(frame);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(MenuText(menu, 0), MenuText(CMenuHandle(LoadMenuResource(IDR_MAINFRAME)), 0));

    const std::wstring workDir = app.m_workFolder.m_strWorkDir;
    const std::wstring captured = app.MakeTempFileName();
    EXPECT_TRUE(FileExists(captured));

    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(app.PumpUntilQuit());
    EXPECT_FALSE(::IsWindow(frame));
    app.ExitInstance();
    EXPECT_FALSE(FileExists(captured));
    EXPECT_FALSE(DirectoryExists(workDir));
}

TEST(PlexaApp, DeleteSettingsRemovesBothKeysEvenAfterWritesDuringShutdown)
{
    CTestApp app;
    ASSERT_TRUE(app.InitInstance());
    app.WriteProfileInt(settings::kSettingsSection, settings::kSubDirSizeLimit, 64);
    const HWND frame = *app.m_pMainWnd;

    ::SendMessageW(frame, WM_COMMAND, ID_DELETE_SETTINGS_AND_EXIT, 0);
    ASSERT_EQ(app.m_messages.size(), 1u);
    EXPECT_EQ(app.m_messages[0], LoadResString(IDS_DELETE_SETTINGS_QUESTION));
    EXPECT_EQ(app.m_messageTypes[0], static_cast<UINT>(MB_OKCANCEL));
    EXPECT_TRUE(app.m_bDeleteSettingsOnExit);
    ASSERT_TRUE(app.PumpUntilQuit()) << "the confirmed command closes the main window";

    // What a closing frame writes must not survive.
    app.WriteProfileInt(settings::kFrameSection, settings::kInitialized, 1);
    ASSERT_TRUE(KeyExists(app.GetAppRegistryKey()));
    app.ExitInstance();
    EXPECT_FALSE(KeyExists(app.GetAppRegistryKey()));
    EXPECT_FALSE(KeyExists(L"Software\\Plexa"));
}

TEST(PlexaApp, DeleteSettingsKeepsTheCompanyKeyWhenItHoldsAnotherApplication)
{
    CTestApp app;
    ASSERT_TRUE(registry::WriteInt(L"Software\\Plexa\\Other", L"Value", 1));
    app.WriteProfileInt(settings::kSettingsSection, settings::kSubDirSizeLimit, 64);
    app.Unregister();
    EXPECT_FALSE(KeyExists(app.GetAppRegistryKey()));
    EXPECT_TRUE(KeyExists(L"Software\\Plexa\\Other"));
    registry::DeleteTree(L"Software\\Plexa\\Other");
}

TEST(PlexaApp, CancelledDeleteSettingsChangesNothing)
{
    CTestApp app;
    ASSERT_TRUE(app.InitInstance());
    app.WriteProfileInt(settings::kSettingsSection, settings::kSubDirSizeLimit, 64);
    app.m_nMessageAnswer = IDCANCEL;
    const HWND frame = *app.m_pMainWnd;

    ::SendMessageW(frame, WM_COMMAND, ID_DELETE_SETTINGS_AND_EXIT, 0);
    app.PumpWaitingMessages();
    EXPECT_EQ(app.m_messages.size(), 1u);
    EXPECT_FALSE(app.m_bDeleteSettingsOnExit);
    EXPECT_TRUE(::IsWindow(frame));

    app.m_pMainWnd->DestroyWindow();
    app.PumpUntilQuit();
    app.ExitInstance();
    EXPECT_EQ(app.GetProfileInt(settings::kSettingsSection, settings::kSubDirSizeLimit, 0), 64);
}

TEST(PlexaApp, TheWheelGoesToTheWindowUnderThePointer)
{
    CTestApp app;
    ASSERT_TRUE(app.InitInstance());
    const HWND frame = *app.m_pMainWnd;
    // A scrollable window in the content pane, while the tree has the focus.
    const HWND splitter = ::GetDlgItem(frame, AFX_IDW_PANE_FIRST);
    const HWND contentPane = ::GetDlgItem(splitter, AFX_IDW_PANE_FIRST + 1);
    ASSERT_NE(contentPane, nullptr);
    RECT client;
    ::GetClientRect(contentPane, &client);
    const HWND pane = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL, 0, 0,
                                        client.right, client.bottom, contentPane, nullptr, nullptr, nullptr);
    ASSERT_NE(pane, nullptr);
    // Above the view's own property sheet.
    ::SetWindowPos(pane, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    std::wstring lines;
    for (int i = 0; i < 200; ++i)
        lines += L"line\r\n";
    ::SetWindowTextW(pane, lines.c_str());
    ::UpdateWindow(frame);
    ::SetFocus(::GetDlgItem(splitter, AFX_IDW_PANE_FIRST));

    POINT centre{client.right / 2, client.bottom / 2};
    ::ClientToScreen(contentPane, &centre);
    MSG wheel{frame, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA * 3)),
              MAKELPARAM(centre.x, centre.y)};
    ASSERT_EQ(::WindowFromPoint(centre), pane);
    EXPECT_TRUE(app.PreTranslateMessage(wheel));
    EXPECT_GT(::SendMessageW(pane, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "the pane under the pointer scrolled";

    MSG other{frame, WM_KEYDOWN, 'A', 0};
    EXPECT_FALSE(app.PreTranslateMessage(other));

    app.m_pMainWnd->DestroyWindow();
    app.PumpUntilQuit();
    app.ExitInstance();
}
