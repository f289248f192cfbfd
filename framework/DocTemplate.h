// Single-document template: makes the one document and its frame in the
// order a start-up needs, and owns both for the rest of the run.
#pragma once

#include "framework/Document.h"
#include "framework/FrameWnd.h"

#include <functional>
#include <memory>

class CSingleDocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<std::unique_ptr<CFrameWnd>()>;

    CSingleDocTemplate(UINT nIDResource, DocumentFactory makeDocument, FrameFactory makeFrame);
    ~CSingleDocTemplate();
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    // Makes the untitled document, then the frame with its views, runs the
    // views' initial update and shows the frame with `showCmd`; false when
    // the frame cannot be made (nothing is left behind then).
    bool OpenDocumentFile(int showCmd);

    CDocument* GetDocument() const { return m_pDocument.get(); }
    CFrameWnd* GetFrame() const { return m_pFrame.get(); }

private:
    UINT m_nIDResource;
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    // The frame goes first: its views detach from the document as they go.
    std::unique_ptr<CDocument> m_pDocument;
    std::unique_ptr<CFrameWnd> m_pFrame;
};
