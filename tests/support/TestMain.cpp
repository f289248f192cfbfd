// Entry point of every Windows test program: OLE, GDI+ and the common
// controls for the whole run, and a loud stop when the Japanese ANSI code
// page is missing, since much of what is tested depends on it.
#include "framework/GdiPlus.h"
#include "framework/ScopedOle.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <cstdio>

TEST(Environment, AnsiCodePageIsJapanese)
{
    ASSERT_EQ(::GetACP(), 932u)
        << "Tests must run with the Japanese ANSI code page: start Wine with LC_ALL=ja_JP.UTF-8.";
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::GetACP() != 932)
        std::fprintf(stderr, "*** ANSI code page is %u, not 932: set LC_ALL=ja_JP.UTF-8 ***\n", ::GetACP());
    const CScopedGdiPlus gdiplus;
    const CScopedOle ole;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    return RUN_ALL_TESTS();
}
