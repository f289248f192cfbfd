#include "viewers/CopyingDialog.h"
#include "framework/Resource.h"
#include "res/resource.h"
#include "res/strings/viewers.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {

// Keys go to the focused control, as a person would press them.
void Press(CCopyingDialog& dialog, UINT key)
{
    ::SetFocus(dialog.m_edit);
    ::PostMessageW(dialog.m_edit, WM_KEYDOWN, key, 0);
    ::PostMessageW(dialog.m_edit, WM_KEYUP, key, 0xC0000000);
    PumpWaitingMessages(dialog);
}

class CopyingDialogTest : public ::testing::Test {
protected:
    std::wstring StateText() const { return m_dialog.m_static.GetWindowText(); }

    CTestApp m_app;
    CCopyingDialog m_dialog;
};

}

TEST_F(CopyingDialogTest, ShowsItsTemplateWithTheTextGivenBeforeItExisted)
{
    m_dialog.ShowItem(L"CF_UNICODETEXT");
    ASSERT_TRUE(m_dialog.Create());
    EXPECT_EQ(m_dialog.GetWindowText(), L"Plexa");
    EXPECT_EQ(m_dialog.m_edit.GetWindowText(), L"CF_UNICODETEXT");
    EXPECT_EQ(StateText(), L"取り込み中...");
    wchar_t button[32] = {};
    ::GetDlgItemTextW(m_dialog, IDCANCEL, button, 32);
    EXPECT_STREQ(button, L"中止");

}

TEST_F(CopyingDialogTest, ABurstOfItemsEndsShowingTheLastOneAtTheNextPump)
{
    ASSERT_TRUE(m_dialog.Create());
    for (int i = 0; i <= 500; ++i)
        m_dialog.ShowItem(L"item " + std::to_wstring(i));
    EXPECT_EQ(m_dialog.m_strText, L"item 500");
    m_dialog.ShowPendingItem();
    EXPECT_EQ(m_dialog.m_edit.GetWindowText(), L"item 500");
}

TEST_F(CopyingDialogTest, EscAbortsEnterDoesNothingAndTheDialogStays)
{
    const struct {
        UINT key;
        int abort;
        std::wstring state;
    } rows[] = {{VK_RETURN, 0, L"取り込み中..."}, {VK_ESCAPE, 1, LoadResString(IDS_PROGRESS_STOPPING)}};
    for (const auto& row : rows) {
        CCopyingDialog dialog;
        ASSERT_TRUE(dialog.Create());
        Press(dialog, row.key);
        EXPECT_EQ(dialog.m_bAbort, row.abort) << row.key;
        EXPECT_TRUE(::IsWindow(dialog));
        EXPECT_EQ(dialog.m_static.GetWindowText(), row.state) << row.key;
    }
}

TEST_F(CopyingDialogTest, TheButtonPressedTwiceAbortsOnce)
{
    ASSERT_TRUE(m_dialog.Create());
    const HWND button = ::GetDlgItem(m_dialog, IDCANCEL);
    ::SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(StateText(), LoadResString(IDS_PROGRESS_STOPPING));
    m_dialog.m_static.SetWindowText(L"changed since");
    ::SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(m_dialog.m_bAbort, 1);
    EXPECT_EQ(StateText(), L"changed since") << "the second press does nothing";
    EXPECT_TRUE(::IsWindow(m_dialog));
}
