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

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CClipboard;
class CReplayLogDialog;

// View update hints (single bits).
enum : LPARAM {
    HINT_SNAPSHOT_CHANGED = 1,  // m_pCaptures changed: drop every reference to old nodes
    HINT_SHOW_NODE = 2,         // show the hint object's node; null is the root
    HINT_SELECT_FIRST = 4,      // select and show the first captured node
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
    // Takes everything the clipboard offers as the new snapshot; when the
    // clipboard cannot be opened, the title changes and the user is told
    // which window has it open. Data its source
    // asks monitors to leave alone is taken only when the user says so, and
    // never by the watch: false then, with the snapshot untouched.
    bool Paste(PasteBy by = PasteBy::User);
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
    // or the one chosen from the menu. Nothing while a capture runs, when no
    // format is offered or the menu is dismissed.
    std::optional<CAcceptedDrop> AcceptDrop(COleDataObject* dataObject, bool bChooseFormat, DWORD offeredEffects);
    // Takes an accepted drop as the new snapshot: S_OK, or E_ABORT when the
    // user stopped it, or E_OUTOFMEMORY. A stopped drop keeps what it took,
    // but its source must not hear that the data moved.
    HRESULT TakeDrop(const CAcceptedDrop& drop);
    // A capture is running: its progress dialog handles messages meanwhile.
    bool IsCapturing() const { return m_bCapturing; }

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

    // Shared with the data objects that offer it again.
    std::shared_ptr<CCBDataArray> m_pCaptures;
    // When and from what the snapshot was taken: the formats offered, and for
    // a paste who had put the data on the clipboard.
    CSnapshotInfo m_info;

protected:
    // One format (with the descriptor FileContents needs) from a popup menu at the pointer.
    virtual void SelectFormatsFromMenu(const CFormatEtcArray& all, CFormatEtcArray& chosen);

private:
    const ICaptureHost& m_host;
    bool m_bCapturing = false;
    CComPtr<CSnapshotDataObject> m_pReplay;  // the last one put on the clipboard

    // The data object for `chosen`, after telling the user which formats it
    // leaves out, its calls going to a new log `log` is set to.
    CComPtr<CSnapshotDataObject> MakeReplay(const std::vector<const CCBData*>& chosen,
                                            std::weak_ptr<CReplayLogDialog>& log);

    void OnEditPasteWithFormat();
    void OnFileOpenSnapshot();
    void OnFileSaveSnapshot();
    // Starts the record of a new capture, under the title just set.
    void BeginSnapshot(std::optional<CClipboardOwner> owner);
    // Tells the views the old snapshot is gone, then deletes it.
    void DiscardSnapshot();
    // S_OK, E_ABORT when the user stopped it, or E_OUTOFMEMORY.
    HRESULT Capture(COleDataObject* source, const CFormatEtcArray& formats, CClipboard* pasted = nullptr);
};

// The popup menu of `all`: command 10000 + i for entry i, ampersands shown
// literally, a new column every 20 entries.
CMenuHandle CreateFormatMenu(const CFormatEtcArray& all);

// The entries a choice of entry `index` of the menu takes: FileContents comes
// with the descriptor of the same aspect, the wide one preferred.
void FormatsForChoice(const CFormatEtcArray& all, size_t index, CFormatEtcArray& chosen);
