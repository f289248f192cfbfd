#include "support/HostWindow.h"
#include "support/ModalDriver.h"
#include "res/resource.h"
#include "viewers/HexFindDialog.h"

#include <gtest/gtest.h>

TEST(HexFindDialogTest, TakesTheTextKindAndDirection)
{
    struct Case {
        const wchar_t* typed;
        int kind;
        int button;
        bool asHex;
        bool forward;
        std::vector<BytePattern> patterns;
    };
    const Case cases[] = {
        {L"4d 5A", IDC_FIND_AS_HEX, IDOK, true, true, {{0x4D, 0x5A}}},
        {L"Ab", IDC_FIND_AS_TEXT, IDC_FIND_PREVIOUS, false, false, {{'A', 'b'}, {'A', 0, 'b', 0}}},
        {L"€", IDC_FIND_AS_TEXT, IDOK, false, true, {{0xE2, 0x82, 0xAC}, {0xAC, 0x20}}},
    };
    CWnd host;
    ASSERT_TRUE(CreateHostWindow(host, RECT{0, 0, 100, 100}));
    for (const Case& c : cases) {
        CHexFindDialog dialog(CHexFindRequest{L"last", true, true});
        std::wstring shown;
        CModalDriver driver([&](HWND box) {
            wchar_t text[64] = {};
            ::GetDlgItemTextW(box, IDC_FIND_WHAT, text, 64);
            shown = text;
            ::SetDlgItemTextW(box, IDC_FIND_WHAT, c.typed);
            ::CheckRadioButton(box, IDC_FIND_AS_HEX, IDC_FIND_AS_TEXT, c.kind);
            ClickButton(box, c.button);
        });
        EXPECT_EQ(dialog.DoModal(host), IDOK) << c.typed;
        EXPECT_EQ(shown, L"last");
        EXPECT_EQ(dialog.m_request.text, c.typed);
        EXPECT_EQ(dialog.m_request.asHex, c.asHex);
        EXPECT_EQ(dialog.m_request.forward, c.forward);
        // "€" has no bytes in code page 932: UTF-8 and UTF-16LE only.
        EXPECT_EQ(dialog.m_patterns, c.patterns) << c.typed;
    }
    host.DestroyWindow();
}
