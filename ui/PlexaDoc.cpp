#include "ui/PlexaDoc.h"

#include "capture/CaptureDriver.h"
#include "capture/ClipboardCapture.h"
#include "capture/ClipboardPrivacy.h"
#include "capture/FileGroupMatch.h"
#include "capture/RegisteredFormats.h"
#include "framework/Clipboard.h"
#include "framework/CmdUI.h"
#include "framework/FileDialogs.h"
#include "framework/FrameworkIds.h"
#include "framework/Handles.h"
#include "framework/OleDropSource.h"
#include "framework/Resource.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "portable/SaveFileName.h"
#include "res/resource.h"
#include "res/strings/capture.h"
#include "res/strings/ui.h"
#include "ui/MainFrame.h"
#include "ui/ReplayLogDialog.h"
#include "viewers/DelayedProgress.h"
#include "viewers/DialogCaptureProgress.h"

#include <shlwapi.h>

#include <new>

namespace {

constexpr UINT kFirstFormatCommand = 10000;
constexpr size_t kMenuColumn = 20;

constexpr wchar_t kSnapshotExtension[] = L".plexa";

// The kind of file the open and save dialogs list, called `name`, which must
// outlive it.
FileDialogType SnapshotFileType(const std::wstring& name)
{
    return {{name.c_str(), L"*.plexa"}, L"plexa"};
}

std::wstring MenuLabel(const FORMATETC& fmt)
{
    std::wstring label;
    for (wchar_t c : GetFormatEtcName(fmt)) {
        label += c;
        if (c == L'&')
            label += L'&';
    }
    return label;
}

}

CMenuHandle CreateFormatMenu(const CFormatEtcArray& all)
{
    CMenuHandle menu(::CreatePopupMenu());
    for (size_t i = 0; i < all.size(); ++i) {
        const UINT flags = MF_STRING | (i > 0 && i % kMenuColumn == 0 ? MF_MENUBARBREAK : 0);
        ::AppendMenuW(menu, flags, kFirstFormatCommand + i, MenuLabel(all[i]).c_str());
    }
    return menu;
}

void FormatsForChoice(const CFormatEtcArray& all, size_t index, CFormatEtcArray& chosen)
{
    chosen.clear();
    if (index >= all.size())
        return;
    const FORMATETC& choice = all[index];
    if (choice.cfFormat == g_cfFileContents) {
        if (const FORMATETC* descriptor = FindDescriptorFor(
                all, choice.dwAspect, [](const FORMATETC& fmt) -> const FORMATETC& { return fmt; }))
            chosen.push_back(*descriptor);
    }
    chosen.push_back(choice);
}

bool CPlexaDoc::OnCmdMsg(UINT nID)
{
    switch (nID) {
    case ID_EDIT_PASTE:
        Paste();
        return true;
    case ID_EDIT_PASTE_WITH_FORMAT:
        OnEditPasteWithFormat();
        return true;
    case ID_FILE_OPEN_SNAPSHOT:
        OnFileOpenSnapshot();
        return true;
    case ID_FILE_SAVE_SNAPSHOT:
        OnFileSaveSnapshot();
        return true;
    }
    return false;
}

bool CPlexaDoc::OnUpdateCmdUI(CCmdUI& cmdUI)
{
    switch (cmdUI.m_nID) {
    case ID_FILE_SAVE_SNAPSHOT:
        cmdUI.Enable(m_pCaptures != nullptr);
        return true;
    case ID_REPLAY_TO_CLIPBOARD:
        cmdUI.Enable(m_pCaptures && !m_pCaptures->empty());
        return true;
    }
    return false;
}

void CPlexaDoc::SelectFormatsFromMenu(const CFormatEtcArray& all, CFormatEtcArray& chosen)
{
    chosen.clear();
    POINT point{};
    ::GetCursorPos(&point);
    const CMenuHandle menu = CreateFormatMenu(all);
    const UINT command =
        ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, point.x, point.y, 0, AfxGetApp()->GetMainHwnd(), nullptr);
    if (command >= kFirstFormatCommand)
        FormatsForChoice(all, command - kFirstFormatCommand, chosen);
}

void CPlexaDoc::DiscardSnapshot()
{
    if (std::shared_ptr<CCBDataArray> old = std::move(m_pCaptures)) {
        UpdateAllViews(nullptr, HINT_SNAPSHOT_CHANGED);
        old.reset();
    }
}

HRESULT CPlexaDoc::Capture(COleDataObject* source, const CFormatEtcArray& formats, CClipboard* pasted)
{
    DiscardSnapshot();
    m_pCaptures = std::make_shared<CCBDataArray>();
    m_bCapturing = true;
    HRESULT hr = S_OK;
    try {
        CaptureOutcome outcome;
        {  // the dialog gone and the main window enabled before anything is said
            CDialogCaptureProgress progress(AfxGetApp()->GetMainHwnd());
            outcome = CaptureAll(*m_pCaptures, source, formats, m_host, progress, pasted);
        }
        m_info.finished = CurrentTimestamp();
        if (outcome == CaptureOutcome::Stopped) {
            hr = E_ABORT;
            AfxMessageBox(IDS_CAPTURE_STOPPED, MB_OK);
        }
    } catch (const std::bad_alloc&) {
        m_pCaptures.reset();
        hr = E_OUTOFMEMORY;
        AfxMessageBox(IDS_OUT_OF_MEMORY, MB_OK);
    }
    m_bCapturing = false;
    return hr;
}

bool CPlexaDoc::Paste(PasteBy by)
{
    bool privacyRequest = false;
    if (const CClipboard clipboard(nullptr); clipboard)
        privacyRequest = ReadClipboardPrivacy().AsksToBeLeftAlone();
    // Asked with the clipboard closed, so that no other program waits on the answer.
    if (privacyRequest && (by == PasteBy::Watch ||
                           AfxMessageBox(FormatResString(IDS_TAKE_IT_QUESTION, LoadResString(IDS_PRIVACY_REQUEST).c_str()),
                                         MB_YESNO | MB_ICONQUESTION) != IDYES))
        return false;
    const DWORD sequence = ::GetClipboardSequenceNumber();
    SetTitle(ClipboardSnapshotTitle(sequence));
    CClipboard clipboard(nullptr);
    if (!clipboard) {
        // The watch waits while another program has it open; the user is told who.
        if (by == PasteBy::User)
            AfxMessageBox(ClipboardHolderText(), MB_OK | MB_ICONWARNING);
        return true;
    }
    CFormatEtcArray all;
    EnumFormats(nullptr, all);
    BeginSnapshot(ReadClipboardOwner());
    m_info.takenDespitePrivacyRequest = privacyRequest;
    m_info.sequenceNumber = sequence;
    Capture(nullptr, all, &clipboard);
    GetFormatNames(all, m_info.formatNames);
    UpdateAllViews(nullptr, HINT_SNAPSHOT_CHANGED);
    return true;
}

void CPlexaDoc::OnEditPasteWithFormat()
{
    const DWORD sequence = ::GetClipboardSequenceNumber();
    CClipboard clipboard(nullptr);
    if (!clipboard) {
        AfxMessageBox(ClipboardHolderText(), MB_OK | MB_ICONWARNING);
        return;
    }
    CFormatEtcArray all, chosen;
    EnumFormats(nullptr, all);
    SelectFormatsFromMenu(all, chosen);
    if (chosen.empty())
        return;
    SetTitle(ClipboardSnapshotTitle(sequence));
    BeginSnapshot(ReadClipboardOwner());
    m_info.sequenceNumber = sequence;
    Capture(nullptr, chosen, &clipboard);
    GetFormatNames(all, m_info.formatNames);
    UpdateAllViews(nullptr, HINT_SNAPSHOT_CHANGED);
    UpdateAllViews(nullptr, HINT_SELECT_FIRST);
}

std::optional<CPlexaDoc::CAcceptedDrop> CPlexaDoc::AcceptDrop(COleDataObject* dataObject, bool bChooseFormat,
                                                             DWORD offeredEffects)
{
    if (m_bCapturing)
        return std::nullopt;
    ::SetForegroundWindow(AfxGetApp()->GetMainHwnd());
    CAcceptedDrop drop{*dataObject, {}, {}, offeredEffects, bChooseFormat};
    EnumFormats(dataObject, drop.offered);
    if (bChooseFormat)
        SelectFormatsFromMenu(drop.offered, drop.chosen);
    else
        drop.chosen = drop.offered;
    if (drop.chosen.empty())
        return std::nullopt;
    return drop;
}

HRESULT CPlexaDoc::TakeDrop(const CAcceptedDrop& drop)
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    SetTitle(FormatResString(IDS_DROP_TITLE, now.wHour, now.wMinute, now.wSecond));
    BeginSnapshot(std::nullopt);
    m_info.dropEffects = drop.offeredEffects;
    m_info.asyncTransfer = drop.transfer;
    COleDataObject source = drop.dataObject;
    const HRESULT hr = Capture(&source, drop.chosen);
    GetFormatNames(drop.offered, m_info.formatNames);
    UpdateAllViews(nullptr, HINT_SNAPSHOT_CHANGED);
    if (drop.bChooseFormat)
        UpdateAllViews(nullptr, HINT_SELECT_FIRST);
    return hr;
}

void CPlexaDoc::BeginSnapshot(std::optional<CClipboardOwner> owner)
{
    m_info = {GetTitle(), CurrentTimestamp(), {}, ThisComputer(), std::move(owner), {}};
}

void CPlexaDoc::OnFileOpenSnapshot()
{
    const std::wstring typeName = LoadResString(IDS_SNAPSHOT_FILE_TYPE);
    const std::wstring path = ShowFileOpenDialog(AfxGetApp()->GetMainHwnd(), SnapshotFileType(typeName));
    if (!path.empty())
        OpenSnapshot(path);
}

bool CPlexaDoc::OpenSnapshot(const std::wstring& path)
{
    CSnapshotInfo info;
    auto nodes = std::make_unique<CCBDataArray>();
    std::wstring error;
    SnapshotResult result;
    {  // the dialog gone and the main window enabled before anything is said
        CDelayedProgress progress(AfxGetApp()->GetMainHwnd(), LoadResString(IDS_LOADING));
        const auto report = [&](uint64_t done, uint64_t total) { return progress.Report(done, total); };
        result = OpenSnapshotFile(path, m_host, report, info, *nodes, error);
    }
    if (result == SnapshotResult::Failed)
        AfxMessageBox(FormatResString(IDS_SNAPSHOT_CANNOT_OPEN, path.c_str(), error.c_str()), MB_OK);
    if (result != SnapshotResult::Done)
        return false;
    DiscardSnapshot();
    m_pCaptures = std::move(nodes);
    m_info = std::move(info);
    SetTitle(::PathFindFileNameW(path.c_str()));
    UpdateAllViews(nullptr, HINT_SNAPSHOT_CHANGED);
    return true;
}

void CPlexaDoc::OnFileSaveSnapshot()
{
    if (!m_pCaptures)
        return;
    std::wstring proposed = ProposeSaveFileName(GetTitle(), L"");
    if (!proposed.ends_with(kSnapshotExtension))
        proposed += kSnapshotExtension;
    const std::wstring typeName = LoadResString(IDS_SNAPSHOT_FILE_TYPE);
    const FileDialogType type = SnapshotFileType(typeName);
    const std::wstring path = ShowFileSaveDialog(AfxGetApp()->GetMainHwnd(), proposed, &type);
    if (!path.empty())
        SaveSnapshot(path);
}

bool CPlexaDoc::SaveSnapshot(const std::wstring& path)
{
    if (!m_pCaptures)
        return false;
    std::wstring error;
    SnapshotResult result;
    {
        CDelayedProgress progress(AfxGetApp()->GetMainHwnd(), LoadResString(IDS_SAVING));
        const auto report = [&](uint64_t done, uint64_t total) { return progress.Report(done, total); };
        result = SaveSnapshotFile(path, m_info, *m_pCaptures, report, error);
    }
    if (result == SnapshotResult::Failed)
        AfxMessageBox(FormatResString(IDS_SNAPSHOT_CANNOT_SAVE, path.c_str(), error.c_str()), MB_OK);
    if (result != SnapshotResult::Done)
        return false;
    SetTitle(::PathFindFileNameW(path.c_str()));
    return true;
}

CPlexaDoc::~CPlexaDoc()
{
    if (m_pReplay && ::OleIsCurrentClipboard(m_pReplay.Get()) == S_OK) {
        m_pReplay->SetLog({});
        ::OleFlushClipboard();
    }
}

CComPtr<CSnapshotDataObject> CPlexaDoc::MakeReplay(const std::vector<const CCBData*>& chosen,
                                                   std::weak_ptr<CReplayLogDialog>& log)
{
    if (!m_pCaptures || chosen.empty())
        return {};
    CStringArray leftOut;
    CComPtr<CSnapshotDataObject> replay = CSnapshotDataObject::Create(m_pCaptures, chosen, &leftOut);
    if (!m_info.computer.empty() && m_info.computer != ThisComputer())
        replay->SetTakenElsewhere(m_info.computer);
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetApp()->m_pMainWnd)) {
        log = frame->StartReplayLog(leftOut);
        replay->SetLog([log](const CReplayCall& call) {
            if (const auto window = log.lock())
                window->Add(call);
        });
    }
    return replay;
}

void CPlexaDoc::ReplayToClipboard(const std::vector<const CCBData*>& chosen)
{
    std::weak_ptr<CReplayLogDialog> log;
    CComPtr<CSnapshotDataObject> replay = MakeReplay(chosen, log);
    if (!replay)
        return;
    if (const HRESULT set = ::OleSetClipboard(replay.Get()); FAILED(set)) {
        AfxMessageBox(FormatResString(IDS_CANNOT_PUT_BACK, static_cast<unsigned long>(set)), MB_OK);
        return;
    }
    // Calls the last target still makes of the earlier replay are not this one's.
    if (m_pReplay)
        m_pReplay->SetLog({});
    m_pReplay = std::move(replay);
}

void CPlexaDoc::DragOut(const std::vector<const CCBData*>& chosen, HWND source)
{
    // Asked before the drag: a message box during it would end it.
    std::weak_ptr<CReplayLogDialog> log;
    const CComPtr<CSnapshotDataObject> replay = MakeReplay(chosen, log);
    if (!replay)
        return;
    POINT point{};
    ::GetCursorPos(&point);
    const DWORD effect = DragFrom(source, point, replay.Get(), DROPEFFECT_COPY | DROPEFFECT_LINK);
    replay->SetLog({});
    if (const auto window = log.lock()) {
        CReplayCall end{{}, L"DoDragDrop", {}, S_OK, 0, DropEffectNames(effect)};
        ::GetLocalTime(&end.time);
        window->Add(end);
    }
}
