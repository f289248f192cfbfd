#include "PlexaSession.h"
#include "app/WorkFolder.h"
#include "support/PlexaProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

std::wstring WindowText(HWND hWnd)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(hWnd, text, 256);
    return text;
}

}

TEST_F(PlexaSession, OpensTheUntitledWindowAndRemovesItsWorkingFolderWhenClosed)
{
    CTempDir temp;
    const std::wstring workDir = temp / kWorkFolderName;
    CPlexaProcess plexa(temp.Path());
    ASSERT_TRUE(plexa.IsStarted());
    const HWND window = plexa.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), L"無題 - Plexa");
    EXPECT_NE(::GetMenu(window), nullptr);
    EXPECT_TRUE(FileExists(workDir + L"\\$ichk$.tmp"));

    EXPECT_EQ(plexa.Close(), 0);
    EXPECT_FALSE(DirectoryExists(workDir));
}

TEST_F(PlexaSession, TwoInstancesShareTheFolderAndTheLastOneCleansIt)
{
    CTempDir temp;
    const std::wstring workDir = temp / kWorkFolderName;
    CPlexaProcess first(temp.Path());
    ASSERT_NE(first.WaitForMainWindow(), nullptr);
    CPlexaProcess second(temp.Path());
    ASSERT_NE(second.WaitForMainWindow(), nullptr);
    // Stands for a file the second instance captured.
    WriteFileBytes(workDir + L"\\20260101000000cafef00d.cvtmp", "captured by the second instance");

    EXPECT_EQ(first.Close(), 0);
    EXPECT_TRUE(FileExists(workDir + L"\\20260101000000cafef00d.cvtmp"));

    EXPECT_EQ(second.Close(), 0);
    EXPECT_FALSE(DirectoryExists(workDir));
}
