// The one document: the current snapshot, the names of the formats its
// source offered, and the commands that take a new snapshot.
#pragma once

#include "capture/CBData.h"
#include "capture/CaptureHost.h"
#include "capture/ClipboardOwner.h"
#include "capture/FormatNames.h"
#include "framework/Document.h"
#include "framework/Handles.h"

#include <memory>
#include <optional>

class CClipboard;
class COleDataObject;

// View update hints (single bits).
enum : LPARAM {
    HINT_SNAPSHOT_CHANGED = 1,  // m_pCaptures changed: drop every reference to old nodes
    HINT_SHOW_NODE = 2,         // show the hint object's node; null is the root
    HINT_SELECT_FIRST = 4,      // select and show the first captured node
};

// Said once a capture that the user stopped is over.
inline constexpr wchar_t kCaptureStoppedMessage[] = L"中止しました。";

class CPlexaDoc : public CDocument {
public:
    // Captures run under the settings and into the files of `host`.
    explicit CPlexaDoc(const ICaptureHost& host) : m_host(host) {}

    bool OnCmdMsg(UINT nID) override;

    // Takes everything the clipboard offers as the new snapshot; when the
    // clipboard cannot be opened, only the title changes.
    void Paste();
    // Takes a dropped data object; false when nothing was taken.
    bool CaptureDrop(COleDataObject* dataObject, bool bChooseFormat);
    // A capture is running: its progress dialog handles messages meanwhile.
    bool IsCapturing() const { return m_bCapturing; }

    std::unique_ptr<CCBDataArray> m_pCaptures;
    CStringArray m_arrFormatNames;
    // Who had put the data on the clipboard; none for a drop.
    std::optional<CClipboardOwner> m_clipboardOwner;

protected:
    // One format (with the descriptor FileContents needs) from a popup menu at the pointer.
    virtual void SelectFormatsFromMenu(const CFormatEtcArray& all, CFormatEtcArray& chosen);

private:
    const ICaptureHost& m_host;
    bool m_bCapturing = false;

    void OnEditPasteWithFormat();
    // Tells the views the old snapshot is gone, then deletes it.
    void DiscardSnapshot();
    void Capture(COleDataObject* source, const CFormatEtcArray& formats, CClipboard* pasted = nullptr);
};

// The popup menu of `all`: command 10000 + i for entry i, ampersands shown
// literally, a new column every 20 entries.
CMenuHandle CreateFormatMenu(const CFormatEtcArray& all);

// The entries a choice of entry `index` of the menu takes: FileContents comes
// with the descriptor of the same aspect, the wide one preferred.
void FormatsForChoice(const CFormatEtcArray& all, size_t index, CFormatEtcArray& chosen);
