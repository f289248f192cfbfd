// The state of one capture run (the source, its palette, the byte budget of
// the top-level format being taken, its progress) and the operations that
// copy media into nodes and walk containers into subtrees. Failures become
// the nodes' error lines; only running out of memory throws.
#pragma once

#include "capture/CBData.h"
#include "capture/CaptureHost.h"
#include "capture/CaptureProgress.h"

#include <objidl.h>
#include <shobjidl.h>

#include <string>

class COleDataObject;

class CCBDataCreateContext {
public:
    CCBDataCreateContext(const ICaptureHost& host, ICaptureProgress& progress) : m_host(host), m_progress(progress)
    {
    }
    virtual ~CCBDataCreateContext() = default;
    CCBDataCreateContext(const CCBDataCreateContext&) = delete;
    CCBDataCreateContext& operator=(const CCBDataCreateContext&) = delete;

    // A node for one offered format, taken the way its kind asks for.
    std::unique_ptr<CCBData> CreateData(const FORMATETC& fmt);
    // The medium of `fmt` from the data object, or else from the open
    // clipboard as the medium type `clipboardTymed`; never null.
    std::unique_ptr<CCBData> GetMedium(const FORMATETC& fmt, DWORD clipboardTymed);

    // Media copied into a temporary file each. The caller keeps what it passes.
    std::unique_ptr<CCBData> CaptureGlobal(HGLOBAL hGlobal);
    std::unique_ptr<CCBData> CaptureFile(const wchar_t* path);
    std::unique_ptr<CCBData> CaptureStream(IStream* stream);

    // Containers walked into subtrees, each level listed before its
    // sub-containers are opened, all levels sharing the byte budget.
    std::unique_ptr<CCBData> CaptureStorage(IStorage* storage);
    std::unique_ptr<CCBData> CaptureShellFolder(IShellFolder* folder);
    std::unique_ptr<CCBData> CaptureDirectory(const std::wstring& path);

    // A node whose only content is the error line of `message`.
    static std::unique_ptr<CCBData> CreateErrorData(const std::wstring& message);

    // Shows what is being taken.
    void ShowItem(const std::wstring& text) { m_progress.ShowItem(text); }
    // Asks the progress whether the run is to stop; the loops over items and
    // chunks call this between each. Once it has said so, it is not asked again.
    bool ShouldStop();
    // The error a placeholder gets when the walk stops before opening it.
    std::wstring GetStopMessage() const;
    // Whether m_nTotal has passed the size limit of the settings.
    bool IsOverBudget() const;
    // Shell item lists are walked through IStorage rather than IShellFolder.
    bool ItemsAsStorage() const { return m_host.GetCaptureOptions().itemsAsStorage; }
    const ICaptureHost& GetHost() const { return m_host; }

    COleDataObject* m_pDataObject = nullptr;  // not owned; null for the clipboard
    HPALETTE m_hPalette = nullptr;  // the clipboard's, or m_paletteCopy
    CPaletteHandle m_paletteCopy;   // the data object's palette, ours to delete
    uint64_t m_nTotal = 0;
    int m_nDepth = 0;  // containers open below the top-level format

    // The chunk buffer that every copy of the run shares, made on first use.
    BYTE* GetCopyBuffer();
    // The next copy of bytes is a top-level format's, to be checked as `kind`
    // while it is copied; nested copies are not.
    void CheckNextCopy(CheckKind kind) { m_nextCopyCheck = kind; }
    // The check for the copy starting now, once; null when there is none.
    std::unique_ptr<CFormatCheck> TakeCopyCheck(uint64_t size);

private:
    const ICaptureHost& m_host;
    ICaptureProgress& m_progress;
    bool m_bStopped = false;
    std::unique_ptr<BYTE[]> m_pCopyBuffer;
    CheckKind m_nextCopyCheck = CheckKind::None;
};
