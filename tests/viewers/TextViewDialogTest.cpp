#include "common/SettingsNames.h"
#include "framework/PropertySheet.h"
#include "framework/Resource.h"
#include "framework/WindowRect.h"
#include "res/strings/capture.h"
#include "res/strings/viewers.h"
#include "support/HostWindow.h"
#include "support/NodeTestBase.h"
#include "viewers/TextDecoder.h"
#include "viewers/TextViewDialog.h"

namespace {

// A registered format that names no code page, so the page detects one.
CLIPFORMAT UnnamedFormat()
{
    static const auto format = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Plexa Test Text"));
    return format;
}

class TextViewDialogTest : public CNodeTestBase {
protected:
    void SetUp() override
    {
        CNodeTestBase::SetUp();
        ASSERT_TRUE(CreateHostWindow(m_parent, RECT{0, 0, 600, 400}));
        ::SetForegroundWindow(m_parent);
    }
    void TearDown() override
    {
        ::SetKeyboardState(m_savedKeys);
        m_sheet.DestroyWindow();
        m_parent.DestroyWindow();
    }

    // Shows a node of `format` holding `bytes` on a fresh text page.
    void Open(const std::string& bytes, CLIPFORMAT format = UnnamedFormat(), int nodeCodePage = kCodePageNone)
    {
        m_node = NodeWith(bytes);
        m_node->m_fmt = {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        m_node->m_nCodePage = nodeCodePage;
        OpenNode();
    }
    void OpenNode()
    {
        m_page = std::make_unique<CTextViewDialog>(m_node.get());
        m_sheet.AddPage(m_page.get());
        ASSERT_TRUE(m_sheet.Create(m_parent));
    }

    void Close()
    {
        m_sheet.RemovePage(0);
        m_sheet.DestroyWindow();
    }

    HWND Item(UINT id) const { return ::GetDlgItem(*m_page, id); }
    std::wstring ItemText(UINT id) const
    {
        std::wstring text(::GetWindowTextLengthW(Item(id)) + 1, L'\0');
        text.resize(::GetWindowTextW(Item(id), text.data(), static_cast<int>(text.size())));
        return text;
    }
    std::wstring Shown() const { return ItemText(IDC_TEXT); }
    std::wstring Report() const { return ItemText(IDC_TEXT_INFO); }

    std::vector<std::wstring> Entries() const
    {
        std::vector<std::wstring> names;
        const HWND combo = Item(IDC_CODE_PAGE);
        for (int i = 0; i < ::SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
            wchar_t name[64] = {};
            ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
            names.push_back(name);
        }
        return names;
    }
    std::wstring Selected() const
    {
        const int index = static_cast<int>(::SendMessageW(Item(IDC_CODE_PAGE), CB_GETCURSEL, 0, 0));
        return index < 0 ? L"(none)" : Entries()[static_cast<size_t>(index)];
    }
    // Picks an entry as the user does: the selection, then its notification.
    void Choose(const std::wstring& name)
    {
        const HWND combo = Item(IDC_CODE_PAGE);
        const LRESULT index = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(name.c_str()));
        ASSERT_NE(index, CB_ERR) << name;
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(*m_page, WM_COMMAND, MAKEWPARAM(IDC_CODE_PAGE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    }

    // The editor opened by "追加", given `text` and confirmed, while the button's handler waits for it.
    void EditCodePages(const std::wstring& text)
    {
        s_editorText = text;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, AnswerEditor);
        ::SendMessageW(*m_page, WM_COMMAND, MAKEWPARAM(IDC_ADD_CODE_PAGE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(Item(IDC_ADD_CODE_PAGE)));
        ::KillTimer(nullptr, timer);
    }
    static void CALLBACK AnswerEditor(HWND, UINT, UINT_PTR, DWORD)
    {
        const HWND editor = ::FindWindowW(nullptr, L"コードページ追加");
        if (!editor || !::IsWindowVisible(editor))
            return;
        ::SetDlgItemTextW(editor, IDC_CODE_PAGE_LIST, s_editorText.c_str());
        ::SendMessageW(editor, WM_COMMAND, IDOK, 0);
    }

    // A key as the message loop hands it on, with Ctrl held.
    void PressWithCtrl(HWND target, WPARAM key)
    {
        ::GetKeyboardState(m_savedKeys);
        BYTE keys[256];
        std::copy(std::begin(m_savedKeys), std::end(m_savedKeys), keys);
        keys[VK_CONTROL] = 0x80;
        ::SetKeyboardState(keys);
        for (MSG msg : {MSG{target, WM_KEYDOWN, key, 0}, MSG{target, WM_CHAR, 1, 0}}) {
            if (!m_app.PreTranslateMessage(msg))
                ::DispatchMessageW(&msg);
        }
    }

    static inline std::wstring s_editorText;
    CWnd m_parent;
    CPropertySheet m_sheet;
    std::unique_ptr<CCBData> m_node;
    std::unique_ptr<CTextViewDialog> m_page;
    BYTE m_savedKeys[256] = {};
};

struct ShowCase {
    const char* name;
    std::string bytes;
    CLIPFORMAT format;
    int nodeCodePage;
    std::wstring selected;
    std::wstring shown;
    std::wstring report;
};

TEST_F(TextViewDialogTest, ChoosesTheCodePageAndShowsTheText)
{
    const CLIPFORMAT none = UnnamedFormat();
    const ShowCase cases[] = {
        {"UTF-16LE without a mark", std::string("A\0B\0", 4), none, kCodePageNone, L"UTF-16LE", L"AB",
         L"終端NUL: なし  改行コード: なし"},
        {"UTF-16BE with its mark", std::string("\xFE\xFF\0A", 4), none, kCodePageNone, L"UTF-16BE", L"A",
         L"終端NUL: なし  改行コード: なし"},
        {"UTF-8 mark", "\xEF\xBB\xBF" "abc", none, kCodePageNone, L"CP_UTF8", L"abc", L"終端NUL: なし  改行コード: なし"},
        {"mixed line breaks", "a\nb\r\nc\r", none, kCodePageNone, L"CP_ACP", L"a\r\nb\r\nc\r\n",
         L"終端NUL: なし  改行コード: *謎*"},
        {"a lone CR at the end", "abc\r", none, kCodePageNone, L"CP_ACP", L"abc\r\n",
         L"終端NUL: なし  改行コード: *CRのみ*"},
        {"text up to the NUL", std::string("abc\0def", 7), CF_TEXT, kCodePageAnsi, L"CP_ACP", L"abc",
         L"終端NUL: あり  改行コード: なし"},
        {"Shift_JIS", "\x93\xFA\x96\x7B\x8C\xEA\r\n", none, kCodePageNone, L"CP_ACP", L"日本語\r\n",
         L"終端NUL: なし  改行コード: CR+LF"},
        {"UTF-8 whose pairs 932 has not", "\xEA\xB0\x80\xEB\x82\x98\xEB\x8B\xA4", none, kCodePageNone, L"CP_UTF8",
         L"가나다", L"終端NUL: なし  改行コード: なし"},
        {"a code page missing from the list", "\xD6\xD0\xCE\xC4", none, 936, L"936", L"中文",
         L"終端NUL: なし  改行コード: なし"},
    };
    for (const ShowCase& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.bytes, c.format, c.nodeCodePage);
        EXPECT_EQ(Selected(), c.selected);
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(Report(), c.report);
        Close();
    }
}

TEST_F(TextViewDialogTest, DecodesAgainWithTheChosenEntry)
{
    const struct {
        const char* name;
        std::string bytes;
        std::wstring entry;
        std::wstring shown;
    } cases[] = {
        {"the UTF-8 mark under UTF-8", "\xEF\xBB\xBF" "abc", L"CP_UTF8", L"abc"},
        {"the UTF-8 mark under 1252", "\xEF\xBB\xBF" "abc", L"Windows-1252", L"\u00EF\u00BB\u00BF" L"abc"},
        {"only the mark", "\xEF\xBB\xBF", L"CP_UTF8", L""},
        {"EUC-JP through MLang", "\xC6\xFC\xCB\xDC\xB8\xEC", L"EUC-JP", L"日本語"},
        {"ISO-2022-JP through MLang", "\x1B$BF|K\\8l\x1B(B", L"ISO-2022-JP", L"日本語"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.bytes);
        Choose(c.entry);
        EXPECT_EQ(Selected(), c.entry);
        EXPECT_EQ(Shown(), c.shown);
        Close();
    }
}

TEST_F(TextViewDialogTest, TheChosenCodePageStaysSelectedAfterTheEditor)
{
    Open("\xC6\xFC", CF_TEXT, kCodePageAnsi);
    EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"CP_ACP", L"CP_OEMCP", L"CP_UTF8", L"UTF-16LE", L"UTF-16BE",
                                                    L"ISO-2022-JP", L"EUC-JP", L"Windows-1252"}));
    Choose(L"EUC-JP");

    EditCodePages(L"EUC=51932\r\n");
    EXPECT_EQ(m_app.GetProfileString(settings::kSettingsSection, settings::kCodePages), L"EUC=51932;");
    EXPECT_EQ(Selected(), L"EUC") << "renamed";
    EXPECT_EQ(Shown(), L"日");

    EditCodePages(L"");
    EXPECT_EQ(m_app.GetProfileString(settings::kSettingsSection, settings::kCodePages, L"(missing)"), L"");
    EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"CP_ACP", L"CP_OEMCP", L"CP_UTF8", L"UTF-16LE", L"UTF-16BE",
                                                    L"51932"}));
    EXPECT_EQ(Selected(), L"51932") << "removed, so named by its number";
    EXPECT_EQ(Shown(), L"日");
}

TEST_F(TextViewDialogTest, RefusesWhatItCannotDecodeAndStaysUsable)
{
    m_app.WriteProfileString(settings::kSettingsSection, settings::kCodePages, L"Bad=12345;");
    Open("abc", CF_TEXT);
    Choose(L"Bad");
    EXPECT_EQ(Shown(), L"");
    EXPECT_EQ(Report(), FormatResString(IDS_TEXT_CANNOT_CONVERT, 12345));
    Choose(L"CP_ACP");
    EXPECT_EQ(Shown(), L"abc");

    Close();
    m_node = NodeWith("abc");
    m_node->m_nSize = kMaxDecodedBytes + 1;  // a converter's output would no longer fit its int count
    OpenNode();
    EXPECT_EQ(Shown(), L"");
    EXPECT_EQ(Report(), FormatResString(IDS_TEXT_TOO_LARGE, kMaxDecodedBytes));
    EXPECT_EQ(Selected(), L"CP_ACP");
    EXPECT_TRUE(m_app.m_messages.empty());
}

TEST_F(TextViewDialogTest, AChangeOfSystemColoursRepaintsTheText)
{
    Open("first line");
    const HWND edit = Item(IDC_TEXT);
    ::UpdateWindow(edit);
    ASSERT_FALSE(::GetUpdateRect(edit, nullptr, FALSE));
    ::SendMessageW(*m_page, WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_TRUE(::GetUpdateRect(edit, nullptr, FALSE)) << "it asks for its colours only when it paints";
}

TEST_F(TextViewDialogTest, AFileShorterThanTheNodeIsToldAndNothingOfItShown)
{
    m_node = NodeWith("short");
    m_node->m_nSize = 100;
    OpenNode();
    EXPECT_EQ(Shown(), L"");
    EXPECT_EQ(Report(), LoadResString(IDS_TEXT_UNREADABLE));
    ASSERT_FALSE(m_app.m_messages.empty());
    for (size_t i = 0; i < m_app.m_messages.size(); ++i) {
        EXPECT_EQ(m_app.m_messages[i], LoadResString(IDS_CANNOT_READ_TEMP_FILE));
        EXPECT_EQ(m_app.m_messageTypes[i], static_cast<UINT>(MB_OK));
    }
}

TEST_F(TextViewDialogTest, EditFillsThePageInTheWindowColourAndSelectsAllOnCtrlA)
{
    Open("first line\r\nsecond line");
    const HWND edit = Item(IDC_TEXT);
    ::MoveWindow(*m_page, 0, 0, 500, 300, TRUE);
    const RECT rect = GetChildRect(edit);
    EXPECT_EQ(rect.right, 500);
    EXPECT_EQ(rect.bottom, 300);

    const CClientDC dc(edit);
    const auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(*m_page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)),
                       reinterpret_cast<LPARAM>(edit)));
    LOGBRUSH colour{};
    ASSERT_TRUE(::GetObjectW(brush, sizeof(colour), &colour));
    EXPECT_EQ(colour.lbColor, ::GetSysColor(COLOR_WINDOW));

    ::SendMessageW(*m_page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    DWORD start = 1, end = 1;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, 0u) << "focus from the keyboard selects nothing";

    PressWithCtrl(edit, 'A');
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(::GetWindowTextLengthW(edit)));
    EXPECT_EQ(Shown(), L"first line\r\nsecond line") << "Ctrl+A typed nothing";
}

}

TEST_F(TextViewDialogTest, AnHtmlFormatNodeCanShowItsFragmentAlone)
{
    const auto html = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"HTML Format"));
    const std::string good = "Version:0.9\r\nStartHTML:-1\r\nEndHTML:-1\r\nStartFragment:76\r\nEndFragment:82\r\n"
                             "<p>\xE6\x97\xA5\xE6\x9C\xAC</p>";
    Open(good, html);
    const HWND check = Item(IDC_HTML_FRAGMENT_ONLY);
    EXPECT_TRUE(::IsWindowVisible(check));
    EXPECT_TRUE(::IsWindowEnabled(check));
    EXPECT_EQ(Shown(), L"Version:0.9\r\nStartHTML:-1\r\nEndHTML:-1\r\nStartFragment:76\r\nEndFragment:82\r\n<p>日本</p>");
    ::SendMessageW(check, BM_CLICK, 0, 0);
    EXPECT_EQ(Shown(), L"日本");
    Close();

    // A header whose fragment lies outside the data leaves the whole text shown.
    Open("Version:0.9\nStartHTML:-1\nEndHTML:-1\nStartFragment:60\nEndFragment:999\n<p>x</p>", html);
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_HTML_FRAGMENT_ONLY)));
    EXPECT_EQ(Shown().substr(0, 11), L"Version:0.9");
    Close();

    Open("plain", UnnamedFormat());
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_HTML_FRAGMENT_ONLY)));
    Close();
}

TEST_F(TextViewDialogTest, OnANarrowPageTheFragmentCheckAndTheReportAreCutAtItsEdge)
{
    Open("Version:0.9\nStartHTML:-1\nEndHTML:-1\nStartFragment:60\nEndFragment:66\n<p>x</p>",
         static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"HTML Format")));
    const HWND controls[] = {Item(IDC_HTML_FRAGMENT_ONLY), Item(IDC_TEXT_INFO)};
    ::MoveWindow(*m_page, 0, 0, 2000, 300, TRUE);
    const RECT laidOut[] = {GetChildRect(controls[0]), GetChildRect(controls[1])};
    // Through the report, through the check box, short of both.
    for (const LONG width : {laidOut[1].right - 5, laidOut[0].right - 5, laidOut[0].left - 5}) {
        ::MoveWindow(*m_page, 0, 0, width, 300, TRUE);
        RECT page;
        ::GetClientRect(*m_page, &page);
        ASSERT_EQ(page.right, width);
        for (int i = 0; i < 2; ++i) {
            const RECT rect = GetChildRect(controls[i]);
            EXPECT_EQ(rect.left, std::min(laidOut[i].left, page.right)) << width;
            EXPECT_EQ(rect.right, std::min(laidOut[i].right, page.right)) << width;
            EXPECT_EQ(rect.top, laidOut[i].top);
            EXPECT_EQ(rect.bottom, laidOut[i].bottom);
        }
    }
    ::MoveWindow(*m_page, 0, 0, 2000, 300, TRUE);
    for (int i = 0; i < 2; ++i) {
        const RECT rect = GetChildRect(controls[i]);
        EXPECT_TRUE(::EqualRect(&rect, &laidOut[i])) << "laid out as before at full width: " << i;
    }
}
