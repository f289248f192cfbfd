#include "res/resource.h"
#include "support/ClipboardRead.h"
#include "support/HostWindow.h"
#include "support/TestApp.h"
#include "ui/ReplayLogDialog.h"

#include <gtest/gtest.h>

namespace {

CReplayCall Call(const wchar_t* method, const wchar_t* format, HRESULT result, uint64_t bytes, const wchar_t* value)
{
    CReplayCall call{{}, method, format, result, bytes, value};
    call.time.wHour = 9;
    call.time.wMinute = 5;
    call.time.wSecond = 7;
    call.time.wMilliseconds = 42;
    return call;
}

}

TEST(ReplayLogDialog, ShowsEachCallAsARowAndCopiesThemAsText)
{
    CTestApp app;
    CWnd owner;
    ASSERT_TRUE(CreateHostWindow(owner, {0, 0, 200, 100}));
    CReplayLogDialog log;
    log.Start(owner.GetSafeHwnd());
    ASSERT_TRUE(::IsWindowVisible(log.GetSafeHwnd()));
    log.Add(Call(L"QueryGetData", L"CF_DIB CONTENT -1 HGLOBAL", DV_E_FORMATETC, 0, L""));
    log.Add(Call(L"GetData", L"CF_TEXT CONTENT -1 HGLOBAL", S_OK, 4, L""));
    const std::wstring expected = L"時刻\tメソッド\t形式\t結果\tバイト数\t値\r\n"
                                  L"09:05:07.042\tQueryGetData\tCF_DIB CONTENT -1 HGLOBAL\tDV_E_FORMATETC\t0\t\r\n"
                                  L"09:05:07.042\tGetData\tCF_TEXT CONTENT -1 HGLOBAL\tS_OK\t4\t\r\n";
    EXPECT_EQ(log.Text(), expected);

    ::SendMessageW(log.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_REPLAY_LOG_COPY, BN_CLICKED), 0);
    EXPECT_EQ(ClipboardText(), expected);

    log.Start(owner.GetSafeHwnd(), {L"49681", L"CF_DIB"});
    EXPECT_EQ(log.Text(), L"時刻\tメソッド\t形式\t結果\tバイト数\t値\r\n"
                          L"取得に失敗した次の形式は戻していません: 49681, CF_DIB\r\n")
        << "a new replay starts an empty log that names the formats it leaves out";
    ::SendMessageW(log.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    EXPECT_FALSE(::IsWindowVisible(log.GetSafeHwnd())) << "closing hides it for the next replay";
    log.DestroyWindow();
    owner.DestroyWindow();
}
