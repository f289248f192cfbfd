#include "framework/Document.h"

#include "framework/FrameWnd.h"
#include "framework/View.h"

#include <algorithm>

CDocument::~CDocument()
{
    // Views may outlive the document; they must not call back into it.
    while (!m_views.empty())
        RemoveView(m_views.back());
}

void CDocument::SetTitle(const std::wstring& title)
{
    m_strTitle = title;
    std::vector<CFrameWnd*> done;
    for (CView* view : m_views) {
        CFrameWnd* frame = view->GetParentFrame();
        if (frame && std::find(done.begin(), done.end(), frame) == done.end()) {
            frame->SetTitle(title);
            done.push_back(frame);
        }
    }
}

void CDocument::AddView(CView* view)
{
    if (view->m_pDocument)
        view->m_pDocument->RemoveView(view);
    m_views.push_back(view);
    view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view)
{
    const auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    view->m_pDocument = nullptr;
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, void* hintObject)
{
    // By index: a view may leave the document while it is being updated.
    for (size_t i = 0; i < m_views.size(); ++i) {
        if (m_views[i] != sender)
            m_views[i]->OnUpdate(sender, hint, hintObject);
    }
}

void CDocument::SendInitialUpdate()
{
    for (size_t i = 0; i < m_views.size(); ++i)
        m_views[i]->OnInitialUpdate();
}
