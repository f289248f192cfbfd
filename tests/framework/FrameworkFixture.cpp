#include "FrameworkFixture.h"

#include "framework/CmdUI.h"
#include "framework/Format.h"
#include "res/resource.h"

#include <memory>

std::wstring Describe(const wchar_t* who, UINT nID)
{
    return FormatString(L"%ls %u", who, nID);
}

bool AnswerState(CLog& log, const wchar_t* who, CCmdUI& cmdUI, UINT own)
{
    log.push_back(Describe(who, cmdUI.m_nID));
    if (cmdUI.m_nID != own)
        return false;
    cmdUI.Enable(false);
    cmdUI.SetCheck(true);
    return true;
}

bool CRecordingApp::OnCmdMsg(UINT nID)
{
    m_log.push_back(Describe(L"app", nID));
    return nID == kAppCommand;
}

bool CTestDoc::OnCmdMsg(UINT nID)
{
    m_log.push_back(Describe(L"doc", nID));
    return nID == kDocumentCommand;
}

void CTestTreeView::OnUpdate(CView* sender, LPARAM hint, void* hintObject)
{
    static_cast<CTestDoc*>(GetDocument())->m_updates.push_back({L"tree", sender, hint, hintObject});
}

bool CTestTreeView::OnCmdMsg(UINT nID)
{
    m_log.push_back(Describe(L"tree", nID));
    return nID == kViewCommand || CTreeView::OnCmdMsg(nID);
}

bool CTestTreeView::OnNotifyReflect(NMHDR& hdr, LRESULT& result)
{
    if (hdr.code != TVN_SELCHANGEDW)
        return false;
    m_hSelChanged = reinterpret_cast<NMTREEVIEWW&>(hdr).itemNew.hItem;
    result = 0;
    return true;
}

void CTestView::OnUpdate(CView* sender, LPARAM hint, void* hintObject)
{
    static_cast<CTestDoc*>(GetDocument())->m_updates.push_back({L"right", sender, hint, hintObject});
}

bool CTestView::OnCmdMsg(UINT nID)
{
    m_log.push_back(Describe(L"right", nID));
    return nID == kViewCommand || CView::OnCmdMsg(nID);
}

bool CTestPage::OnCmdMsg(UINT nID)
{
    m_log.push_back(Describe(L"page", nID));
    return nID == kPageCommand;
}

int CTestFrame::OnCreate(CREATESTRUCTW& cs)
{
    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;
    if (!m_wndToolBar.CreateEx(*this) || !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    return 0;
}

bool CTestFrame::OnCreateClient(CREATESTRUCTW& cs, CDocument* doc)
{
    return m_wndSplitter.CreateStatic(*this, 1, 2) &&
           m_wndSplitter.CreateView(0, 0, std::make_unique<CTestTreeView>(m_log), SIZE{150, 100}, doc) &&
           m_wndSplitter.CreateView(0, 1, std::make_unique<CTestView>(m_log), SIZE{100, 100}, doc);
}

bool CTestFrame::OnCmdMsg(UINT nID)
{
    m_log.push_back(Describe(L"frame", nID));
    return nID == kFrameCommand || CFrameWnd::OnCmdMsg(nID);
}

void FrameworkTest::SetUp()
{
    ASSERT_TRUE(m_frame.LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, &m_doc));
    ::SetWindowPos(m_frame, nullptr, 0, 0, 800, 600, SWP_NOZORDER);
    ::ShowWindow(m_frame, SW_SHOW);
    ::SetForegroundWindow(m_frame);
    PumpWaitingMessages();
}

void FrameworkTest::PumpWaitingMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}
