// The main frame's part in watching the clipboard.
#include "common/SettingsNames.h"
#include "framework/Resource.h"
#include "framework/WinApp.h"
#include "res/strings/ui.h"
#include "ui/LeftView.h"
#include "ui/MainFrame.h"
#include "ui/PlexaDoc.h"
#include "ui/PlexaView.h"

void CMainFrame::NoteChangeLeftAlone(const std::wstring& title)
{
    // There is no status bar: the caption says it until the next snapshot names the window.
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    SetTitle(FormatResString(IDS_CHANGE_LEFT_ALONE_TITLE, title.c_str(), now.wHour, now.wMinute, now.wSecond));
}

void CMainFrame::RestoreWatching()
{
    SetWatching(AfxGetApp()->GetProfileInt(settings::kSettingsSection, settings::kWatchClipboard, 0) != 0);
}

void CMainFrame::SetWatching(bool on)
{
    if (on)
        m_watch.Start(m_hWnd);
    else
        m_watch.Stop();
}

void CMainFrame::OnToggleWatching()
{
    SetWatching(!m_watch.IsOn());
    AfxGetApp()->WriteProfileInt(settings::kSettingsSection, settings::kWatchClipboard, m_watch.IsOn() ? 1 : 0);
}

bool CMainFrame::CanTakeWatchedChange() const
{
    const CLeftView* tree = GetTreeView();
    const auto* document = tree ? static_cast<const CPlexaDoc*>(tree->GetDocument()) : nullptr;
    // A writer still holding the clipboard is not done yet.
    if (!document || !document->CanStartSnapshot() || !::IsWindowEnabled(m_hWnd) || ::GetCapture() ||
        ::GetOpenClipboardWindow())
        return false;
    GUITHREADINFO thread{sizeof(thread)};
    return ::GetGUIThreadInfo(::GetCurrentThreadId(), &thread) &&
           !(thread.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE | GUI_INMOVESIZE));
}

void CMainFrame::TakeWatchedChange()
{
    CLeftView* tree = GetTreeView();
    CPlexaView* view = GetContentView();
    if (!tree || !view)
        return;
    const CLIPFORMAT format = tree->GetSelectedFormat();
    const UINT page = view->GetActivePageTemplate();
    const bool pageHadFocus = ::IsChild(*view, ::GetFocus()) != FALSE;
    auto* document = static_cast<CPlexaDoc*>(tree->GetDocument());
    switch (document->Paste(CPlexaDoc::PasteBy::Watch)) {
    case CPlexaDoc::PasteResult::Taken:
        if (format && tree->SelectFormat(format))
            view->ActivatePage(page, pageHadFocus);
        break;
    case CPlexaDoc::PasteResult::LeftAlone:
        NoteChangeLeftAlone(document->GetTitle());
        break;
    case CPlexaDoc::PasteResult::CannotOpen:
    case CPlexaDoc::PasteResult::Busy:
        m_watch.TakeLater();
        break;
    case CPlexaDoc::PasteResult::NotTaken:
        break;
    }
}
