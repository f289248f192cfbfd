#include "common/SettingsNames.h"
#include "framework/PropertySheet.h"
#include "framework/WindowRect.h"
#include "support/ClipboardRead.h"
#include "support/HostWindow.h"
#include "support/NodeTestBase.h"
#include "viewers/HexViewDialog.h"

#include <optional>

namespace {

constexpr UINT kDumpId = 100;

class HexViewDialogTest : public CNodeTestBase {
protected:
    void SetUp() override
    {
        CNodeTestBase::SetUp();
        ASSERT_TRUE(CreateHostWindow(m_parent, RECT{0, 0, 700, 500}));
    }
    void TearDown() override
    {
        m_sheet.DestroyWindow();
        m_parent.DestroyWindow();
    }

    void Open(CCBData* node)
    {
        m_page = std::make_unique<CHexViewDialog>(node);
        m_sheet.AddPage(m_page.get());
        ASSERT_TRUE(m_sheet.Create(m_parent));
        ::MoveWindow(m_sheet, 0, 0, 700, 500, TRUE);
        m_combo = ::GetDlgItem(*m_page, IDC_BYTES_PER_LINE);
        m_dump = dynamic_cast<CHexViewCtrl*>(CWnd::FromHandle(::GetDlgItem(*m_page, kDumpId)));
        ASSERT_NE(m_dump, nullptr);
    }

    std::wstring CopyAll()
    {
        MSG msg{*m_dump, WM_KEYDOWN, 'A', 1};
        BYTE state[256] = {};
        state[VK_CONTROL] = 0x80;
        ::SetKeyboardState(state);
        m_app.PreTranslateMessage(msg);
        msg.wParam = 'C';
        m_app.PreTranslateMessage(msg);
        state[VK_CONTROL] = 0;
        ::SetKeyboardState(state);
        return ClipboardText();
    }

    std::optional<int> StoredWidth() const
    {
        const int value = m_app.GetProfileInt(settings::kSettingsSection, settings::kHexViewWidth, -1);
        return value == -1 ? std::nullopt : std::optional<int>(value);
    }

    CWnd m_parent;
    CPropertySheet m_sheet;
    std::unique_ptr<CHexViewDialog> m_page;
    HWND m_combo = nullptr;
    CHexViewCtrl* m_dump = nullptr;
};

}

TEST_F(HexViewDialogTest, SeventeenBytesOfTheTemporaryFileMakeAFullAndAShortLine)
{
    const auto node = NodeWith("0123456789ABCDEF\x80");
    Open(node.get());
    EXPECT_EQ(CopyAll(), L"0000  30 31 32 33 34 35 36 37 38 39 41 42 43 44 45 46  0123456789ABCDEF\r\n"
                         L"0010  80" + std::wstring(45, L' ') + L"  .\r\n");
    EXPECT_EQ(ClipboardBinaryData(), "0123456789ABCDEF\x80");
    EXPECT_TRUE(m_app.m_messages.empty());
}

TEST_F(HexViewDialogTest, AFileShorterThanTheNodeShowsTheRestAsAbsent)
{
    auto node = NodeWith("AB");
    node->m_nSize = 4;
    Open(node.get());
    EXPECT_EQ(CopyAll(), L"0000  41 42 -- --" + std::wstring(38, L' ') + L"AB  \r\n");
    EXPECT_EQ(m_app.m_messages.size(), 1u);
}

namespace {

struct WidthCase {
    std::optional<int> stored;
    int index;
    int bytesPerLine;
};

class HexViewDialogWidth : public HexViewDialogTest, public ::testing::WithParamInterface<WidthCase> {};

}

TEST_P(HexViewDialogWidth, ComesFromTheSettingsAndUnknownValuesStayStored)
{
    if (GetParam().stored)
        m_app.WriteProfileInt(settings::kSettingsSection, settings::kHexViewWidth, *GetParam().stored);
    const auto node = NodeWith(std::string(100, 'x'));
    Open(node.get());
    EXPECT_EQ(::SendMessageW(m_combo, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(::SendMessageW(m_combo, CB_GETCURSEL, 0, 0), GetParam().index);
    EXPECT_EQ(m_dump->GetBytesPerLine(), GetParam().bytesPerLine);
    EXPECT_EQ(StoredWidth(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Settings, HexViewDialogWidth,
                         ::testing::Values(WidthCase{std::nullopt, 0, 16}, WidthCase{32, 1, 32}, WidthCase{64, 2, 64},
                                           WidthCase{48, 0, 16}));

TEST_F(HexViewDialogTest, PickingAWidthStoresItAtOnceAndReturnsToTheStart)
{
    const auto node = NodeWith(std::string(4000, 'x'));
    Open(node.get());
    wchar_t text[32] = {};
    ::SendMessageW(m_combo, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"64バイト");
    ::SendMessageW(*m_dump, WM_VSCROLL, SB_BOTTOM, 0);
    ::SendMessageW(m_combo, CB_SETCURSEL, 2, 0);
    ::SendMessageW(*m_page, WM_COMMAND, MAKEWPARAM(IDC_BYTES_PER_LINE, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(m_combo));
    EXPECT_EQ(StoredWidth(), 64);
    EXPECT_EQ(m_dump->GetBytesPerLine(), 64);
    EXPECT_EQ(m_dump->GetTopLine(), 0);
    EXPECT_EQ(m_dump->GetCaret(), (HexPos{0, 0}));
}

TEST_F(HexViewDialogTest, TheDumpTakesThePlaceholdersCornerAndReachesThePageEdges)
{
    const auto node = NodeWith("abc");
    Open(node.get());
    const HWND placeholder = ::GetDlgItem(*m_page, IDC_HEX_PLACEHOLDER);
    EXPECT_FALSE(::IsWindowVisible(placeholder));
    EXPECT_TRUE(::IsWindowVisible(*m_dump));
    ::MoveWindow(*m_page, 0, 0, 650, 420, TRUE);
    RECT page{};
    ::GetClientRect(*m_page, &page);
    const RECT dump = GetChildRect(*m_dump);
    const RECT frame = GetChildRect(placeholder);
    EXPECT_EQ(dump.left, frame.left);
    EXPECT_EQ(dump.top, frame.top);
    EXPECT_EQ(dump.right, page.right);
    EXPECT_EQ(dump.bottom, page.bottom);
}
