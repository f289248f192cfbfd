// The one document: the current snapshot, the names of the formats its
// source offered, and the commands that take a new snapshot.
#pragma once

#include "capture/CBData.h"
#include "capture/CaptureHost.h"
#include "capture/ClipboardOwner.h"
#include "capture/FormatNames.h"
#include "capture/SnapshotDataObject.h"
#include "capture/SnapshotFile.h"
#include "framework/ComPtr.h"
#include "framework/Document.h"
#include "framework/Handles.h"
#include "framework/OleDataObject.h"
#include "framework/WorkInProgress.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CReplayLogDialog;

// View update hints (single bits).
enum : LPARAM {
    HINT_SNAPSHOT_CHANGED = 1,  // m_pCaptures changed: drop every reference to old nodes
    HINT_SHOW_NODE = 2,         // show the hint object's node; null is the root
    HINT_SELECT_FIRST = 4,      // select and show the first captured node
    HINT_SELECT_NODE = 8,       // select and show the hint object's top-level node
};

class CPlexaDoc : public CDocument {
public:
    // Captures run under the settings and into the files of `host`.
    explicit CPlexaDoc(const ICaptureHost& host) : m_host(host) {}
    // What Plexa still offers on the clipboard stays there, rendered.
    ~CPlexaDoc() override;

    bool OnCmdMsg(UINT nID) override;
    bool OnUpdateCmdUI(CCmdUI& cmdUI) override;

    enum class PasteBy { User, Watch };
    enum class PasteResult {
        Taken,       // the new snapshot, complete or stopped
        NotTaken,    // the user declined, or chose nothing
        LeftAlone,   // its source asks monitors to leave it alone, and the watch does
        CannotOpen,  // another program has the clipboard open; the user was told who
        Busy,        // another piece of work runs: no new snapshot now
    };
    // Takes everything the clipboard offers as the new snapshot, checked and
    // captured under one opening. Data its source asks monitors to leave
    // alone is taken only when the user says so, and never by the watch.
    // Unless it is Taken, title and snapshot stay as they were.
    PasteResult Paste(PasteBy by = PasteBy::User);
    // A drop to take: the object, what it offers and what the user chose of
    // it, and what its source said about it.
    struct CAcceptedDrop {
        COleDataObject dataObject;
        CFormatEtcArray offered, chosen;
        DWORD offeredEffects = DROPEFFECT_COPY;  // the DROPEFFECT bits the source allows
        bool bChooseFormat = false;
        AsyncTransfer transfer = AsyncTransfer::NotOffered;
    };
    // Brings Plexa to the front and settles what a drop takes: every format,
    // or the one chosen from the menu. Nothing while a new snapshot cannot
    // start, when no format is offered or the menu is dismissed.
    std::optional<CAcceptedDrop> AcceptDrop(COleDataObject* dataObject, bool bChooseFormat, DWORD offeredEffects);
    // Takes an accepted drop as the new snapshot: S_OK, or E_ABORT when the
    // user stopped it, E_OUTOFMEMORY, or E_PENDING when a new snapshot cannot
    // start now. A stopped drop keeps what it took, but its source must not
    // hear that the data moved.
    HRESULT TakeDrop(const CAcceptedDrop& drop);
    // No capture, save, open, node save, search or drag of Plexa's own runs:
    // their progress dialogs and drag loops handle messages meanwhile, and a
    // new snapshot must wait until they are over.
    static bool CanStartSnapshot() { return !CWorkInProgress::Any(); }

    // The snapshot shown; null before the first one and after one that ran
    // out of memory. Shared with the data objects that offer it again.
    const std::shared_ptr<CCBDataArray>& Snapshot() const { return m_pCaptures; }
    // When and from what the snapshot was taken: the formats offered, and for
    // a paste who had put the data on the clipboard.
    const CSnapshotInfo& Info() const { return m_info; }
    // Shows `nodes`, described by `info`, as the snapshot titled `title`, in
    // place of the one shown.
    void SetSnapshot(std::shared_ptr<CCBDataArray> nodes, CSnapshotInfo info, const std::wstring& title);

    // Reads a snapshot file as the new snapshot, the window titled after the
    // file; when it cannot, says why and keeps the current one.
    bool OpenSnapshot(const std::wstring& path);
    // Writes the snapshot to a snapshot file; false when it was not written.
    bool SaveSnapshot(const std::wstring& path);
    // Puts the chosen top-level nodes on the clipboard as their source
    // offered them; the user hears which formats were left out and why.
    void ReplayToClipboard(const std::vector<const CCBData*>& chosen);
    // Drags the chosen top-level nodes out of `source` as their source
    // offered them: copy or link, never move, so no target can ask Plexa to
    // delete anything.
    void DragOut(const std::vector<const CCBData*>& chosen, HWND source);

protected:
    // One format (with the descriptor FileContents needs) from a popup menu at the pointer.
    virtual void SelectFormatsFromMenu(const CFormatEtcArray& all, CFormatEtcArray& chosen);

private:
    const ICaptureHost& m_host;
    std::shared_ptr<CCBDataArray> m_pCaptures;
    CSnapshotInfo m_info;
    CComPtr<CSnapshotDataObject> m_pReplay;  // the last one put on the clipboard
    // The log of the last replay; its window, owned by the main window, may go first.
    std::shared_ptr<CReplayLogDialog> m_pReplayLog;

    // The data object for `chosen`, after telling the user which formats it
    // leaves out, its calls going to a new log `log` is set to.
    CComPtr<CSnapshotDataObject> MakeReplay(const std::vector<const CCBData*>& chosen,
                                            std::weak_ptr<CReplayLogDialog>& log);

    // Paste and paste with format, which takes what the menu chooses.
    PasteResult PasteClipboard(PasteBy by, bool bChooseFormat);
    // The question whether to take data whose source asks to be left alone,
    // asked with the clipboard closed so that no other program waits on the answer.
    bool AskToTakeDespitePrivacyRequest();
    void OnFileOpenSnapshot();
    void OnFileSaveSnapshot();
    // Tells the views the old snapshot is gone, then deletes it.
    void DiscardSnapshot();
    // Replaces the snapshot with one titled `title` that `capture` takes
    // with the progress dialog, describing it; shows it and returns S_OK,
    // E_ABORT when the user stopped it, or E_OUTOFMEMORY.
    template <class Capture>
    HRESULT TakeSnapshot(const std::wstring& title, Capture capture);
};

// The popup menu of `all`: command 10000 + i for entry i, ampersands shown
// literally, a new column every 20 entries.
CMenuHandle CreateFormatMenu(const CFormatEtcArray& all);

// The entries a choice of entry `index` of the menu takes: FileContents comes
// with the descriptor of the same aspect, the wide one preferred.
void FormatsForChoice(const CFormatEtcArray& all, size_t index, CFormatEtcArray& chosen);
