// A frame with a toolbar and a splitter holding a tree view and a plain
// view of one document, every part recording what reaches it, in the order
// it reaches it.
#pragma once

#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/SplitterWnd.h"
#include "framework/ToolBar.h"
#include "framework/TreeView.h"
#include "framework/WinApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Commands handled by exactly one link of the route, which also answers for
// their menu items: checked and grayed.
constexpr UINT kViewCommand = 40001;
constexpr UINT kDocumentCommand = 40002;
constexpr UINT kFrameCommand = 40003;
constexpr UINT kAppCommand = 40004;
constexpr UINT kNobodysCommand = 40005;
constexpr UINT kPageCommand = 40006;

using CLog = std::vector<std::wstring>;

// Notes that `who` was asked for the item's state and answers when the item is `own`.
bool AnswerState(CLog& log, const wchar_t* who, CCmdUI& cmdUI, UINT own);

struct CUpdate {
    std::wstring view;
    CView* sender;
    LPARAM hint;
    void* hintObject;
};

class CRecordingApp : public CWinApp {
public:
    bool OnCmdMsg(UINT nID) override;
    bool OnUpdateCmdUI(CCmdUI& cmdUI) override { return AnswerState(m_log, L"app", cmdUI, kAppCommand); }
    CLog m_log;
};

class CTestDoc : public CDocument {
public:
    explicit CTestDoc(CLog& log) : m_log(log) {}
    bool OnCmdMsg(UINT nID) override;
    bool OnUpdateCmdUI(CCmdUI& cmdUI) override { return AnswerState(m_log, L"doc", cmdUI, kDocumentCommand); }
    std::vector<CUpdate> m_updates;
    CLog& m_log;
};

class CTestTreeView : public CTreeView {
public:
    explicit CTestTreeView(CLog& log) : m_log(log) {}
    void OnUpdate(CView* sender, LPARAM hint, void* hintObject) override;
    bool OnCmdMsg(UINT nID) override;
    bool OnNotifyReflect(NMHDR& hdr, LRESULT& result) override;
    HTREEITEM m_hSelChanged = nullptr;
    CLog& m_log;
};

// What a view's page stands for in the route.
class CTestPage : public CCmdTarget {
public:
    explicit CTestPage(CLog& log) : m_log(log) {}
    bool OnCmdMsg(UINT nID) override;
    bool OnUpdateCmdUI(CCmdUI& cmdUI) override { return AnswerState(m_log, L"page", cmdUI, kPageCommand); }
    CLog& m_log;
};

class CTestView : public CView {
public:
    explicit CTestView(CLog& log) : m_log(log), m_page(log) {}
    void OnUpdate(CView* sender, LPARAM hint, void* hintObject) override;
    bool OnCmdMsg(UINT nID) override;
    bool OnUpdateCmdUI(CCmdUI& cmdUI) override
    {
        return AnswerState(m_log, L"right", cmdUI, kViewCommand) || CView::OnUpdateCmdUI(cmdUI);
    }
    CLog& m_log;
    mutable CTestPage m_page;

protected:
    CCmdTarget* GetActivePage() const override { return &m_page; }
};

class CTestFrame : public CFrameWnd {
public:
    explicit CTestFrame(CLog& log) : m_log(log) {}
    ~CTestFrame() override { DestroyWindow(); }

    CToolBar m_wndToolBar;
    CSplitterWnd m_wndSplitter;
    CLog& m_log;

protected:
    int OnCreate(CREATESTRUCTW& cs) override;
    bool OnCreateClient(CREATESTRUCTW& cs, CDocument* doc) override;
    bool OnCmdMsg(UINT nID) override;
    bool OnUpdateCmdUI(CCmdUI& cmdUI) override
    {
        return AnswerState(m_log, L"frame", cmdUI, kFrameCommand) || CFrameWnd::OnUpdateCmdUI(cmdUI);
    }
};

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override;

    CTestTreeView& Tree() { return static_cast<CTestTreeView&>(*m_frame.m_wndSplitter.GetPane(0, 0)); }
    CTestView& Right() { return static_cast<CTestView&>(*m_frame.m_wndSplitter.GetPane(0, 1)); }
    void Command(UINT nID) { ::SendMessageW(m_frame, WM_COMMAND, nID, 0); }
    static void PumpWaitingMessages();

    CRecordingApp m_app;
    CLog m_log;
    CTestDoc m_doc{m_log};
    CTestFrame m_frame{m_log};
};

std::wstring Describe(const wchar_t* who, UINT nID);
