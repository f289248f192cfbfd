#include "ui/PlexaDoc.h"

#include "capture/CaptureDriver.h"
#include "capture/ClipboardCapture.h"
#include "capture/ClipboardOwner.h"
#include "capture/FileGroupMatch.h"
#include "capture/RegisteredFormats.h"
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
        PasteClipboard(PasteBy::User, true);
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

template <class Capture>
HRESULT CPlexaDoc::TakeSnapshot(const std::wstring& title, Capture capture)
{
    const CWorkInProgress work;
    SetTitle(title);
    DiscardSnapshot();
    m_pCaptures = std::make_shared<CCBDataArray>();
    HRESULT hr = S_OK;
    try {
        CDialogCaptureProgress progress(AfxGetApp()->GetMainHwnd());
        hr = capture(static_cast<ICaptureProgress&>(progress), m_info, *m_pCaptures);
    } catch (const std::bad_alloc&) {
        m_pCaptures.reset();
        hr = E_OUTOFMEMORY;
    }
    UpdateAllViews(nullptr, HINT_SNAPSHOT_CHANGED);
    // The dialog is gone and the main window enabled by now.
    if (hr == E_ABORT)
        AfxMessageBox(IDS_CAPTURE_STOPPED, MB_OK);
    else if (hr == E_OUTOFMEMORY)
        AfxMessageBox(IDS_OUT_OF_MEMORY, MB_OK);
    return hr;
}

CPlexaDoc::PasteResult CPlexaDoc::Paste(PasteBy by)
{
    return PasteClipboard(by, false);
}

bool CPlexaDoc::AskToTakeDespitePrivacyRequest()
{
    return AfxMessageBox(FormatResString(IDS_TAKE_IT_QUESTION, LoadResString(IDS_PRIVACY_REQUEST).c_str()),
                         MB_YESNO | MB_ICONQUESTION) == IDYES;
}

CPlexaDoc::PasteResult CPlexaDoc::PasteClipboard(PasteBy by, bool bChooseFormat)
{
    if (!CanStartSnapshot())
        return PasteResult::Busy;
    const CWorkInProgress work;
    CPrivacyConsent consent;
    for (;;) {
        ClipboardCaptureResult checked;
        {
            CClipboardPaste paste;
            checked = paste.Check(consent);
            if (checked == ClipboardCaptureResult::Done || checked == ClipboardCaptureResult::Empty) {
                CFormatEtcArray chosen = paste.Offered();
                if (bChooseFormat) {
                    SelectFormatsFromMenu(paste.Offered(), chosen);
                    if (chosen.empty())
                        return PasteResult::NotTaken;
                }
                TakeSnapshot(ClipboardSnapshotTitle(paste.Sequence()),
                             [&](ICaptureProgress& progress, CSnapshotInfo& info, CCBDataArray& nodes) {
                                 return paste.Capture(chosen, m_host, progress, info, nodes) ==
                                                ClipboardCaptureResult::Done
                                            ? S_OK
                                            : E_ABORT;
                             });
                if (bChooseFormat)
                    UpdateAllViews(nullptr, HINT_SELECT_FIRST);
                return PasteResult::Taken;
            }
            // The consent covers the clipboard the user is asked about, not whatever replaces it meanwhile.
            consent.sequence = paste.Sequence();
        }
        if (checked == ClipboardCaptureResult::CannotOpen) {
            if (by == PasteBy::User)
                AfxMessageBox(ClipboardHolderText(), MB_OK | MB_ICONWARNING);
            return PasteResult::CannotOpen;
        }
        if (by == PasteBy::Watch)
            return PasteResult::LeftAlone;
        if (!AskToTakeDespitePrivacyRequest())
            return PasteResult::NotTaken;
        consent.given = true;
    }
}

std::optional<CPlexaDoc::CAcceptedDrop> CPlexaDoc::AcceptDrop(COleDataObject* dataObject, bool bChooseFormat,
                                                             DWORD offeredEffects)
{
    if (!CanStartSnapshot())
        return std::nullopt;
    const CWorkInProgress work;  // the menu handles messages
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
    if (!CanStartSnapshot())
        return E_PENDING;
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    const std::wstring title = FormatResString(IDS_DROP_TITLE, now.wHour, now.wMinute, now.wSecond);
    const HRESULT hr = TakeSnapshot(title, [&](ICaptureProgress& progress, CSnapshotInfo& info, CCBDataArray& nodes) {
        info = {.title = title,
                .taken = CurrentTimestamp(),
                .computer = ThisComputer(),
                .dropEffects = drop.offeredEffects,
                .asyncTransfer = drop.transfer};
        GetFormatNames(drop.offered, info.formatNames);
        COleDataObject source = drop.dataObject;
        const CaptureOutcome outcome = CaptureAll(nodes, &source, drop.chosen, m_host, progress);
        info.finished = CurrentTimestamp();
        return outcome == CaptureOutcome::Complete ? S_OK : E_ABORT;
    });
    if (drop.bChooseFormat)
        UpdateAllViews(nullptr, HINT_SELECT_FIRST);
    return hr;
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
    if (!CanStartSnapshot())
        return false;
    const CWorkInProgress work;
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
    SetSnapshot(std::move(nodes), std::move(info), ::PathFindFileNameW(path.c_str()));
    return true;
}

void CPlexaDoc::SetSnapshot(std::shared_ptr<CCBDataArray> nodes, CSnapshotInfo info, const std::wstring& title)
{
    DiscardSnapshot();
    m_pCaptures = std::move(nodes);
    m_info = std::move(info);
    SetTitle(title);
    UpdateAllViews(nullptr, HINT_SNAPSHOT_CHANGED);
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
    // Held for the save, whatever replaces the snapshot meanwhile.
    const std::shared_ptr<const CCBDataArray> nodes = m_pCaptures;
    const CSnapshotInfo info = m_info;
    if (!nodes)
        return false;
    const CWorkInProgress work;
    std::wstring error;
    SnapshotResult result;
    {
        CDelayedProgress progress(AfxGetApp()->GetMainHwnd(), LoadResString(IDS_SAVING));
        const auto report = [&](uint64_t done, uint64_t total) { return progress.Report(done, total); };
        result = SaveSnapshotFile(path, info, *nodes, report, error);
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
    if (!replay) {
        AfxMessageBox(IDS_OUT_OF_MEMORY, MB_OK);
        return {};
    }
    if (!m_info.computer.empty() && m_info.computer != ThisComputer())
        replay->SetTakenElsewhere(m_info.computer);
    if (const HWND main = AfxGetApp()->GetMainHwnd()) {
        if (!m_pReplayLog)
            m_pReplayLog = std::make_shared<CReplayLogDialog>();
        m_pReplayLog->Start(main, leftOut);
        log = m_pReplayLog;
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
