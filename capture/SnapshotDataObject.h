// A data object that offers a snapshot again: every captured description in
// the order it was captured, each on the medium it came on, rebuilt from the
// nodes' files and objects, so that another program can be handed exactly
// what a source once offered.
#pragma once

#include "capture/CBData.h"
#include "capture/ReplayLog.h"
#include "framework/ComPtr.h"

#include <objidl.h>

#include <memory>
#include <vector>

class CSnapshotDataObject final : public IDataObject {
public:
    // Offers `chosen` (nodes of `snapshot`, which the object keeps alive);
    // formats whose capture failed, even part way, are left out and named in
    // `leftOut`. Null when there is no memory for the object.
    static CComPtr<CSnapshotDataObject> Create(std::shared_ptr<const CCBDataArray> snapshot,
                                               std::vector<const CCBData*> chosen, CStringArray* leftOut = nullptr);

    // Every call a target makes from now on is told to `log` as it returns.
    void SetLog(CReplayLog log) { m_log = std::move(log); }
    // The snapshot was taken on `computer`, not this machine: the paths of its
    // drop lists and shell item lists name files there, which the log says.
    void SetTakenElsewhere(std::wstring computer) { m_strTakenOn = std::move(computer); }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDataObject
    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    // One offered description and the node that serves it; a FileContents
    // node serves each index from its children.
    struct COffer {
        FORMATETC format;
        const CCBData* node;
    };
    // What a target set, kept as a copy of its block.
    struct CSetValue {
        FORMATETC format;
        std::vector<BYTE> bytes;
    };

    CSnapshotDataObject(std::shared_ptr<const CCBDataArray> snapshot) : m_snapshot(std::move(snapshot)) {}
    ~CSnapshotDataObject() = default;

    HRESULT GetDataUnlogged(const FORMATETC& format, STGMEDIUM& medium, uint64_t& bytes);
    // Tells the log of a call and returns its result.
    HRESULT Logged(const wchar_t* method, const FORMATETC* format, HRESULT result, uint64_t bytes = 0,
                   std::wstring value = {}) const;
    // The node that answers `format` on one of the media it allows, or null.
    const CCBData* Find(const FORMATETC& format) const;
    const CSetValue* FindSet(const FORMATETC& format) const;

    LONG m_nRefs = 0;  // the first reference is Create's
    std::shared_ptr<const CCBDataArray> m_snapshot;
    std::vector<COffer> m_offers;
    std::vector<CSetValue> m_set;
    CReplayLog m_log;
    std::wstring m_strTakenOn;

    // What the log adds to a GetData of `format`: where its paths lead.
    std::wstring PathNote(const FORMATETC& format) const;
};
