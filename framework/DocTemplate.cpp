#include "framework/DocTemplate.h"

#include "framework/WinApp.h"
#include "framework/FrameworkIds.h"
#include "framework/StartupTrace.h"

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, DocumentFactory makeDocument, FrameFactory makeFrame)
    : m_nIDResource(nIDResource), m_makeDocument(std::move(makeDocument)), m_makeFrame(std::move(makeFrame))
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    m_pFrame.reset();
    m_pDocument.reset();
}

bool CSingleDocTemplate::OpenDocumentFile(int showCmd)
{
    auto document = m_makeDocument();
    auto frame = m_makeFrame();
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW, document.get()))
        return false;
    startup_trace::Mark(L"frame created");
    m_pDocument = std::move(document);
    m_pFrame = std::move(frame);
    m_pDocument->SetTitle(LoadResString(IDS_UNTITLED));
    CWinApp* app = AfxGetApp();
    if (app && !app->m_pMainWnd)
        app->m_pMainWnd = m_pFrame.get();
    m_pFrame->InitialUpdateFrame(m_pDocument.get());
    startup_trace::Mark(L"views updated");
    ::ShowWindow(*m_pFrame, showCmd);
    startup_trace::Mark(L"shown");
    return true;
}
