// The running application around a capture: where the keyboard focus goes,
// and what ending the program or the log-on leaves behind.
#include "app/WorkFolder.h"
#include "framework/FrameworkIds.h"
#include "framework/OleDataObject.h"
#include "res/resource.h"
#include "support/DocumentDrop.h"
#include "support/TestApp.h"
#include "support/TestDataObject.h"
#include "ui/MainFrame.h"
#include "ui/PlexaDoc.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_app.InitInstance());
        m_frame = dynamic_cast<CMainFrame*>(m_app.m_pMainWnd);
        ASSERT_NE(m_frame, nullptr);
        m_hFrame = *m_frame;
        m_workDir = m_app.m_workFolder.m_strWorkDir;
    }
    void TearDown() override { m_app.ExitInstance(); }

    HWND Pane(int column) const
    {
        return ::GetDlgItem(::GetDlgItem(m_hFrame, AFX_IDW_PANE_FIRST), AFX_IDW_PANE_FIRST + column);
    }
    CPlexaDoc& Document() const { return *static_cast<CPlexaDoc*>(m_frame->GetActiveView()->GetDocument()); }

    // A source whose snapshot nests: a storage holding a storage, beside text.
    static CComPtr<CTestDataObject> NestedSource()
    {
        auto source = CTestDataObject::Create();
        source->Offer({.cf = CF_UNICODETEXT}, CTestMedium::Global(BytesOf(L"text")));
        CTestStorage inner;
        inner.AddStream(L"deep", PatternBytes(4000));
        CTestStorage outer;
        outer.AddStream(L"top", BytesOf("top")).AddStorage(L"inner", inner);
        source->Offer({.cf = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Embed Source")),
                       .tymed = TYMED_ISTORAGE},
                      CTestMedium::Storage(outer));
        return source;
    }

    std::vector<std::wstring> TempFiles() const { return ListFolder(m_workDir, L"*.cvtmp"); }

    CTestApp m_app;
    CMainFrame* m_frame = nullptr;
    HWND m_hFrame = nullptr;
    std::wstring m_workDir;
};

}

TEST_F(SessionTest, AfterPasteAndDropTheTreeHasTheFocus)
{
    ASSERT_TRUE(::OpenClipboard(m_hFrame));
    ::EmptyClipboard();
    CGlobalHandle text(::GlobalAlloc(GMEM_MOVEABLE, 4));
    std::memcpy(CGlobalLock(text).Get(), L"a", 4);
    if (::SetClipboardData(CF_UNICODETEXT, text))
        text.Detach();
    ::CloseClipboard();

    ::SetFocus(Pane(1));
    ::SendMessageW(m_hFrame, WM_COMMAND, ID_EDIT_PASTE, 0);
    EXPECT_EQ(::GetFocus(), Pane(0)) << "after a paste";

    ::SetFocus(Pane(1));
    DWORD effect = DROPEFFECT_COPY;
    CComPtr<CTestDataObject> source = NestedSource();
    m_frame->m_wndDropAll.DropTarget().Drop(source, 0, {1, 1}, &effect);
    EXPECT_EQ(::GetFocus(), Pane(0)) << "after a drop";
}

TEST_F(SessionTest, TheFrameGivesTheFocusBackToThePaneThatHadItWhenDeactivated)
{
    ::SetFocus(Pane(1));
    const HWND focused = ::GetFocus();
    ASSERT_TRUE(focused == Pane(1) || ::IsChild(Pane(1), focused));

    const HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                         nullptr, nullptr);
    ::SetActiveWindow(other);
    ASSERT_NE(::GetFocus(), focused);
    ::SetActiveWindow(m_hFrame);
    EXPECT_EQ(::GetFocus(), focused);
    ::SetFocus(m_hFrame);
    EXPECT_EQ(::GetFocus(), focused) << "the bare frame takes no keys";
    ::DestroyWindow(other);
}

TEST_F(SessionTest, ExitDeletesTheSnapshotsFilesBeforeTheFolderIsLeftToOthers)
{
    // Another instance keeps the folder, so only the nodes can remove their files.
    CWorkFolder other;
    ASSERT_TRUE(other.Claim(m_app.m_tempRoot.Path()));
    COleDataObject dropped(NestedSource());
    ASSERT_TRUE(DropInto(Document(), dropped, false));
    ASSERT_GE(TempFiles().size(), 3u) << "text, the outer stream and the nested one";

    ::PostMessageW(m_hFrame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(m_app.PumpUntilQuit());
    m_app.ExitInstance();
    EXPECT_TRUE(TempFiles().empty());
    EXPECT_TRUE(DirectoryExists(m_workDir)) << "still in use by the other instance";
}

TEST_F(SessionTest, TheEndOfTheLogOnCleansUpBeforeTheHandlerReturns)
{
    COleDataObject dropped(NestedSource());
    ASSERT_TRUE(DropInto(Document(), dropped, false));
    ASSERT_FALSE(TempFiles().empty());

    ::SendMessageW(m_hFrame, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(DirectoryExists(m_workDir));
    EXPECT_FALSE(::IsWindow(m_hFrame));
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_TRUE(m_app.PumpUntilQuit()) << "the message loop ends too";
}

TEST_F(SessionTest, ALogOnThatGoesOnChangesNothing)
{
    ::SendMessageW(m_hFrame, WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(::IsWindow(m_hFrame));
    EXPECT_TRUE(DirectoryExists(m_workDir));
}
