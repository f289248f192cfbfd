#include "common/SettingsNames.h"
#include "framework/Resource.h"
#include "res/strings/viewers.h"
#include "support/HostWindow.h"
#include "support/TestApp.h"
#include "viewers/AddCodePageDialog.h"

#include <gtest/gtest.h>

namespace {

class AddCodePageDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CreateHostWindow(m_parent, RECT{0, 0, 600, 400})); }
    void TearDown() override
    {
        m_editor.DestroyWindow();
        m_parent.DestroyWindow();
    }

    // The editor as it opens over the stored value; nullopt stores nothing first.
    std::wstring OpenOver(const std::optional<std::wstring>& stored)
    {
        if (stored)
            m_app.WriteProfileString(settings::kSettingsSection, settings::kCodePages, stored->c_str());
        EXPECT_TRUE(m_editor.Create(m_parent));
        return EditorText();
    }
    std::wstring EditorText() const
    {
        wchar_t text[256] = {};
        ::GetDlgItemTextW(m_editor, IDC_CODE_PAGE_LIST, text, 256);
        return text;
    }
    // The stored value after OK on `text`; "(kept open)" while the editor stays.
    std::wstring Confirm(const std::wstring& text)
    {
        ::SetDlgItemTextW(m_editor, IDC_CODE_PAGE_LIST, text.c_str());
        ::SendMessageW(m_editor, WM_COMMAND, IDOK, 0);
        if (m_editor.GetSafeHwnd())
            return L"(kept open)";
        return m_app.GetProfileString(settings::kSettingsSection, settings::kCodePages, L"(missing)");
    }

    CTestApp m_app;
    CWnd m_parent;
    CAddCodePageDialog m_editor;
};

TEST_F(AddCodePageDialogTest, ShowsAnEntryPerLineAndStoresTheTrimmedLines)
{
    const struct {
        std::optional<std::wstring> stored;
        std::wstring shown;
        std::wstring edited;
        std::wstring storedAfter;
    } cases[] = {
        {std::nullopt, L"ISO-2022-JP=50220\r\nEUC-JP=51932\r\nWindows-1252=1252\r\n", L"a=1\r\n\r\n  b=2  ",
         L"a=1;b=2;"},
        {L";;a=1;", L"\r\n\r\na=1\r\n", L"\r\n\r\na=1\r\n", L"a=1;"},
        {L"x=2;", L"x=2\r\n", L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OpenOver(c.stored), c.shown);
        DWORD start = 1, end = 1;
        ::SendDlgItemMessageW(m_editor, IDC_CODE_PAGE_LIST, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                              reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, end) << "the text opens unselected";
        EXPECT_EQ(Confirm(c.edited), c.storedAfter);
    }
    EXPECT_TRUE(m_app.m_messages.empty());
}

TEST_F(AddCodePageDialogTest, RefusesASemicolonAndStaysOpen)
{
    OpenOver(L"old=1;");
    EXPECT_EQ(Confirm(L"a=1;b=2"), L"(kept open)");
    EXPECT_EQ(m_app.m_messages, std::vector<std::wstring>{LoadResString(IDS_CODE_PAGE_NO_SEMICOLON)});
    EXPECT_EQ(EditorText(), L"a=1;b=2");
    EXPECT_EQ(m_app.GetProfileString(settings::kSettingsSection, settings::kCodePages), L"old=1;");
}

}
