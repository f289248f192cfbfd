// Document: the data that views show, the views attached to it, and the
// notification that tells them it changed.
#pragma once

#include "framework/CmdTarget.h"

#include <string>
#include <vector>

class CView;

class CDocument : public CCmdTarget {
public:
    CDocument() = default;
    ~CDocument() override;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    const std::wstring& GetTitle() const { return m_strTitle; }
    // Also captions every frame that shows one of the views.
    virtual void SetTitle(const std::wstring& title);

    // Views in the order they were added; updates reach them in this order.
    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_views; }

    // OnUpdate to every view but the sender.
    void UpdateAllViews(CView* sender, LPARAM hint = 0, void* hintObject = nullptr);
    // OnInitialUpdate to every view, once the frame is complete.
    void SendInitialUpdate();

protected:
    std::wstring m_strTitle;

private:
    std::vector<CView*> m_views;
};
