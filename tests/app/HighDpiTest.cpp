// Plexa's frame and pages at the scales people use. The cases named "…Follow
// TheDpiTheProcessRunsAt" run at this process's DPI, and once more in child
// processes started while the prefix's LogPixels reads 144 and 192 (Wine
// reads it when a process starts).
#include "common/SettingsNames.h"
#include "framework/Dpi.h"
#include "framework/GdiPlus.h"
#include "framework/Registry.h"
#include "framework/Resource.h"
#include "framework/WindowRect.h"
#include "res/resource.h"
#include "support/HostWindow.h"
#include "support/LogPixelsOverride.h"
#include "support/TestApp.h"
#include "ui/MainFrame.h"
#include "ui/PlexaView.h"
#include "viewers/FrameLengths.h"
#include "viewers/HexViewCtrl.h"
#include "viewers/ImgWnd.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// Every size at 96 DPI, and what it is at the other scales.
struct ScaleRow {
    UINT dpi;
    SIZE buttonImage;
    int dropSlot;
    int dropWindow;
    int treeImage;
    int leftPane;
    int pictureMargin;
    int wheelNotch;  // how far one notch moves the picture
    int hexTopMargin;
};
constexpr ScaleRow kScales[] = {
    {96, {48, 47}, 200, 100, 16, 200, 5, 24, 2},
    {144, {72, 71}, 300, 150, 24, 300, 8, 36, 3},
    {192, {96, 94}, 400, 200, 32, 400, 10, 48, 4},
};

const ScaleRow* RowFor(UINT dpi)
{
    for (const ScaleRow& row : kScales) {
        if (row.dpi == dpi)
            return &row;
    }
    return nullptr;
}

constexpr wchar_t kExpectedDpiVariable[] = L"PLEXA_TEST_EXPECTED_DPI";

SIZE ImageListSize(HIMAGELIST list)
{
    int cx = 0;
    int cy = 0;
    ::ImageList_GetIconSize(list, &cx, &cy);
    return {cx, cy};
}

class HighDpiFrame : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_app.InitInstance());
        m_frame = dynamic_cast<CMainFrame*>(m_app.m_pMainWnd);
        ASSERT_NE(m_frame, nullptr);
    }

    void TearDown() override
    {
        if (m_app.m_pMainWnd) {
            m_app.m_pMainWnd->DestroyWindow();
            m_app.PumpUntilQuit();
        }
        m_app.ExitInstance();
    }

    // Every size in the toolbar and the tree as the row gives it, and each
    // drop window's caption inside its client area, in the window's own font.
    void ExpectSizes(const ScaleRow& row)
    {
        SCOPED_TRACE(testing::Message() << "at " << row.dpi << " DPI");
        const HWND bar = m_frame->m_wndToolBar;
        const SIZE image = ImageListSize(reinterpret_cast<HIMAGELIST>(::SendMessageW(bar, TB_GETIMAGELIST, 0, 0)));
        EXPECT_EQ(image.cx, row.buttonImage.cx);
        EXPECT_EQ(image.cy, row.buttonImage.cy);
        const LRESULT button = ::SendMessageW(bar, TB_GETBUTTONSIZE, 0, 0);
        EXPECT_GE(LOWORD(button), row.buttonImage.cx);
        EXPECT_GE(HIWORD(button), row.buttonImage.cy);

        RECT slot{};
        ASSERT_TRUE(m_frame->m_wndToolBar.GetItemRect(2, slot));
        EXPECT_EQ(slot.right - slot.left, row.dropSlot);
        const RECT all = GetChildRect(m_frame->m_wndDropAll);
        const RECT choose = GetChildRect(m_frame->m_wndDropChoose);
        EXPECT_EQ(all.left, slot.left);
        EXPECT_EQ(all.right - all.left, row.dropWindow);
        EXPECT_EQ(choose.left, all.right);
        EXPECT_EQ(choose.right, slot.right);
        EXPECT_EQ(all.bottom - all.top, slot.bottom - slot.top);
        EXPECT_EQ(choose.bottom - choose.top, slot.bottom - slot.top);
        for (const CDropEntranceWnd* drop : {&m_frame->m_wndDropAll, &m_frame->m_wndDropChoose})
            ExpectCaptionFits(*drop);

        const HWND tree = *m_frame->m_wndSplitter.GetPane(0, 0);
        const SIZE treeImage = ImageListSize(TreeView_GetImageList(tree, TVSIL_NORMAL));
        EXPECT_EQ(treeImage.cx, row.treeImage);
        EXPECT_EQ(treeImage.cy, row.treeImage);

        // The panes start right below the toolbar, whatever its new height.
        const RECT barRect = GetChildRect(bar);
        EXPECT_EQ(GetChildRect(m_frame->m_wndSplitter).top, barRect.bottom);
    }

    static void ExpectCaptionFits(const CDropEntranceWnd& drop)
    {
        RECT client{};
        ::GetClientRect(drop, &client);
        const CClientDC dc(drop);
        const CSelectObject font(dc, drop.CaptionFont());
        RECT text = client;
        ::DrawTextW(dc, drop.Caption().c_str(), -1, &text, DT_CALCRECT | DT_NOPREFIX | DT_CENTER);
        EXPECT_LE(text.right - text.left, client.right) << "caption of window " << ::GetDlgCtrlID(drop);
        EXPECT_LE(text.bottom - text.top, client.bottom) << "caption of window " << ::GetDlgCtrlID(drop);
    }

    int LeftPaneWidth() const
    {
        int current = 0;
        int min = 0;
        m_frame->m_wndSplitter.GetColumnInfo(0, current, min);
        return current;
    }

    int NameColumnWidth() const
    {
        const auto* view = dynamic_cast<CPlexaView*>(m_frame->m_wndSplitter.GetPane(0, 1));
        return view ? ListView_GetColumnWidth(::GetDlgItem(*view->GetSheet().GetPage(0), IDC_PROPERTY_LIST), 0) : -1;
    }

    CTestApp m_app;
    CMainFrame* m_frame = nullptr;
};

// This test program's cases matching `filter`, run in a new process that
// expects `dpi`; its exit code, or -1.
int RunSelfAt(int dpi, const std::wstring& filter)
{
    wchar_t self[MAX_PATH];
    const std::wstring path(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
    std::wstring commandLine = L"\"" + path + L"\" --gtest_filter=" + filter;
    ::SetEnvironmentVariableW(kExpectedDpiVariable, std::to_wstring(dpi).c_str());
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    const bool started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                          &startup, &info);
    ::SetEnvironmentVariableW(kExpectedDpiVariable, nullptr);
    if (!started)
        return -1;
    ::CloseHandle(info.hThread);
    const CHandle process(info.hProcess);
    DWORD exitCode = 0;
    if (::WaitForSingleObject(process, 120000) != WAIT_OBJECT_0 || !::GetExitCodeProcess(process, &exitCode))
        return -1;
    return static_cast<int>(exitCode);
}

}  // namespace

TEST_F(HighDpiFrame, SizesFollowTheDpiTheProcessRunsAt)
{
    const UINT dpi = GetWindowDpi(*m_frame);
    wchar_t expected[16] = {};
    if (::GetEnvironmentVariableW(kExpectedDpiVariable, expected, 16)) {
        ASSERT_EQ(dpi, static_cast<UINT>(_wtoi(expected))) << "LogPixels did not reach this process";
    }
    const ScaleRow* row = RowFor(dpi);
    if (!row)
        GTEST_SKIP() << "no expectations for " << dpi << " DPI";
    ExpectSizes(*row);
    EXPECT_EQ(LeftPaneWidth(), row->leftPane) << "the default tree pane";
}

TEST(HighDpi, PageMetricsFollowTheDpiTheProcessRunsAt)
{
    const ScaleRow* row = RowFor(GetSystemDpi());
    if (!row)
        GTEST_SKIP() << "no expectations for " << GetSystemDpi() << " DPI";
    CWnd host;
    ASSERT_TRUE(CreateHostWindow(host, RECT{0, 0, 600, 400}));
    Gdiplus::Bitmap tall(100, 2000, PixelFormat32bppRGB);
    CImgWnd picture;
    ASSERT_TRUE(picture.Create(host));
    ::MoveWindow(picture, 0, 0, 300, 200, TRUE);
    picture.SetImage(&tall);
    EXPECT_EQ(picture.m_cxMargin, row->pictureMargin);
    EXPECT_EQ(picture.m_cyMargin, row->pictureMargin);
    ::SendMessageW(picture, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(picture.m_yScroll, row->wheelNotch);

    CHexViewCtrl hex;
    ASSERT_TRUE(hex.Create(host));
    EXPECT_EQ(hex.CellOrigin({0, 0}).y, row->hexTopMargin);
    host.DestroyWindow();
}

TEST(HighDpi, FrameAndPagesAreSizedForLogPixels144And192)
{
    for (int dpi : {144, 192}) {
        const CLogPixelsOverride logPixels(dpi);
        EXPECT_EQ(RunSelfAt(dpi, L"*.*FollowTheDpiTheProcessRunsAt"), 0) << "at " << dpi << " DPI";
    }
}

TEST_F(HighDpiFrame, MovingToAnotherScaleTakesTheSuggestedRectangleAndRebuildsTheBars)
{
    const UINT dpi = GetWindowDpi(*m_frame);
    const int leftPane = LeftPaneWidth();
    const int nameColumn = NameColumnWidth();
    ASSERT_GT(nameColumn, 0);
    // To a monitor of twice the scale, and back.
    const struct {
        UINT dpi;
        RECT suggested;
    } moves[] = {{dpi * 2, {40, 30, 1240, 930}}, {dpi, {20, 10, 820, 610}}};
    for (const auto& move : moves) {
        ::SendMessageW(*m_frame, WM_DPICHANGED, MAKEWPARAM(move.dpi, move.dpi),
                       reinterpret_cast<LPARAM>(&move.suggested));
        RECT frame{};
        ::GetWindowRect(*m_frame, &frame);
        EXPECT_TRUE(::EqualRect(&frame, &move.suggested));
        if (const ScaleRow* row = RowFor(move.dpi))
            ExpectSizes(*row);
        EXPECT_EQ(LeftPaneWidth(), RescaleLength(leftPane, dpi, move.dpi)) << "the tree pane keeps its size to the eye";
        EXPECT_EQ(NameColumnWidth(), RescaleLength(nameColumn, dpi, move.dpi)) << "so does the property list";
    }
}

TEST_F(HighDpiFrame, PaneWidthsAreSavedWithTheirDpi)
{
    const UINT dpi = GetWindowDpi(*m_frame);
    const RECT suggested{40, 30, 1240, 930};
    ::SendMessageW(*m_frame, WM_DPICHANGED, MAKEWPARAM(dpi * 2, dpi * 2), reinterpret_cast<LPARAM>(&suggested));
    m_frame->SaveWindowPlacement();
    EXPECT_EQ(m_app.GetProfileInt(settings::kFrameSection, settings::kDpi, 0), static_cast<int>(dpi * 2));
    EXPECT_EQ(m_app.GetProfileInt(settings::kFrameSection, settings::kLeftPaneWidth, 0), LeftPaneWidth());
    EXPECT_EQ(m_app.GetProfileInt(settings::kFrameSection, settings::kPropCol0, 0), NameColumnWidth());
    EXPECT_EQ(ReadFrameLength(settings::kLeftPaneWidth, -1, dpi), LeftPaneWidth() / 2)
        << "read back at the first scale";
}

TEST_F(HighDpiFrame, SavedLengthsAreReadAtTheDpiTheyAreReadAt)
{
    struct Case {
        int savedDpi;  // 0: none saved, as before there was one
        int saved;     // INT_MIN: nothing saved
        UINT dpi;
        int read;
    };
    const Case cases[] = {
        {96, 300, 144, 450}, {144, 450, 96, 300}, {192, 401, 96, 201}, {96, 300, 96, 300},
        {0, 300, 144, 300},  {144, 0, 96, 0},     {144, -1, 192, -1},  {144, INT_MIN, 192, -7},
    };
    for (const Case& c : cases) {
        if (c.savedDpi)
            m_app.WriteProfileInt(settings::kFrameSection, settings::kDpi, c.savedDpi);
        if (c.saved != INT_MIN)
            m_app.WriteProfileInt(settings::kFrameSection, settings::kPropCol0, c.saved);
        EXPECT_EQ(ReadFrameLength(settings::kPropCol0, -7, c.dpi), c.read)
            << c.saved << " saved at " << c.savedDpi << ", read at " << c.dpi;
        registry::DeleteTree(m_app.GetAppRegistryKey() + L"\\" + settings::kFrameSection);
    }
}

TEST(HighDpi, IconsCarryAnImageForEveryScale)
{
    // The group directory: 6-byte header, then 14-byte entries whose first byte
    // is the width (0 for 256).
    const struct {
        UINT id;
        std::vector<int> widths;
    } icons[] = {
        {IDR_MAINFRAME, {16, 24, 32, 48, 256}}, {IDI_TREE_FOLDER, {16, 24, 32}}, {IDI_TREE_DATA, {16, 24, 32}},
        {IDI_TREE_IMAGE, {16, 24, 32}},         {IDI_TREE_UNKNOWN, {16, 24, 32}},
    };
    for (const auto& icon : icons) {
        const std::span<const BYTE> group = FindResourceBytes(icon.id, RT_GROUP_ICON);
        ASSERT_GE(group.size(), 6u) << icon.id;
        const int count = group[4] | group[5] << 8;
        ASSERT_EQ(group.size(), 6u + 14u * count) << icon.id;
        std::vector<int> widths;
        for (int i = 0; i < count; ++i)
            widths.push_back(group[6 + 14 * i] ? group[6 + 14 * i] : 256);
        EXPECT_EQ(widths, icon.widths) << icon.id;
    }
}
