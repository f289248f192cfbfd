#include "capture/SnapshotDataObject.h"

#include "capture/CBDataGdi.h"
#include "capture/FormatNames.h"
#include "capture/RegisteredFormats.h"
#include "capture/ReplayMedia.h"
#include "framework/Handles.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// The palette a snapshot's bitmap came with: CF_PALETTE is served from it.
const CCBData_HBITMAP* FindPaletteBitmap(const CCBDataArray& nodes)
{
    for (const auto& node : nodes) {
        const auto* bitmap = dynamic_cast<const CCBData_HBITMAP*>(node.get());
        if (bitmap && bitmap->m_hPalette)
            return bitmap;
    }
    return nullptr;
}

// The medium a node is served on: the one that came, or for a paste, whose
// Win32 clipboard names none, the one its kind of data lives on.
DWORD ServedMedium(const CCBData& node)
{
    if (node.m_tymedActual)
        return node.m_tymedActual;
    if (dynamic_cast<const CCBData_HBITMAP*>(&node))
        return TYMED_GDI;
    if (dynamic_cast<const CCBData_HENHMF*>(&node))
        return TYMED_ENHMF;
    if (dynamic_cast<const CCBData_HMETAFILEPICT*>(&node))
        return TYMED_MFPICT;
    return node.m_strTempFile.empty() ? 0 : TYMED_HGLOBAL;
}

// The media the children of a FileContents node came on, together.
DWORD ChildMedia(const CCBData& node)
{
    DWORD media = 0;
    if (node.m_pChildren) {
        for (const auto& child : *node.m_pChildren)
            media |= ServedMedium(*child);
    }
    return media;
}

// A format whose capture failed, even part way, is not offered again.
bool HasErrorLine(const CCBData& node)
{
    return std::any_of(node.m_arrInfo.begin(), node.m_arrInfo.end(), IsErrorRow);
}

bool SameDescription(const FORMATETC& a, const FORMATETC& b)
{
    return a.cfFormat == b.cfFormat && a.dwAspect == b.dwAspect;
}

// The lowest TYMED bit of `media`.
DWORD OneMedium(DWORD media)
{
    return media & (~media + 1);
}

// Whether GetDataHere may write `node` into the caller's medium of `tymed`:
// only the one medium it is served on, or a storage asked of a node without
// elements would be answered with nothing written.
bool FillsInto(const CCBData& node, const FORMATETC& format, DWORD tymed)
{
    return tymed && OneMedium(tymed) == tymed && (ServedMedium(node) & format.tymed & tymed);
}

}

CComPtr<CSnapshotDataObject> CSnapshotDataObject::Create(std::shared_ptr<const CCBDataArray> snapshot,
                                                         std::vector<const CCBData*> chosen, CStringArray* leftOut)
{
    CComPtr<CSnapshotDataObject> object(new (std::nothrow) CSnapshotDataObject(std::move(snapshot)));
    if (!object)
        return object;
    const CCBData_HBITMAP* paletteBitmap = FindPaletteBitmap(*object->m_snapshot);
    for (const CCBData* node : chosen) {
        // Offered as described, served on the medium that came.
        FORMATETC format = node->m_fmt;
        format.ptd = nullptr;
        const CCBData* server = node;
        DWORD media = ServedMedium(*node);
        if (node->m_fmt.cfFormat == g_cfFileContents && node->m_pChildren) {
            media = ChildMedia(*node);
        } else if (node->m_fmt.cfFormat == CF_PALETTE && paletteBitmap) {
            server = paletteBitmap;
            media = TYMED_GDI;
        }
        if (media == 0 || HasErrorLine(*node)) {
            if (leftOut)
                leftOut->push_back(GetFormatEtcName(node->m_fmt));
            continue;
        }
        // The Win32 clipboard describes no aspect or medium; OLE targets ask for both.
        if (format.dwAspect == 0)
            format.dwAspect = DVASPECT_CONTENT;
        if (format.tymed == 0)
            format.tymed = media;
        object->m_offers.push_back({format, server});
    }
    return object;
}

STDMETHODIMP CSnapshotDataObject::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDataObject) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CSnapshotDataObject::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_nRefs));
}

STDMETHODIMP_(ULONG) CSnapshotDataObject::Release()
{
    const LONG refs = ::InterlockedDecrement(&m_nRefs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

const CCBData* CSnapshotDataObject::Find(const FORMATETC& format) const
{
    for (const COffer& offer : m_offers) {
        if (!SameDescription(offer.format, format) || !(offer.format.tymed & format.tymed))
            continue;
        if (offer.format.cfFormat != g_cfFileContents || !offer.node->m_pChildren)
            return format.lindex == -1 || format.lindex == offer.format.lindex ? offer.node : nullptr;
        for (const auto& child : *offer.node->m_pChildren) {
            if (child->m_fmt.lindex == format.lindex && (ServedMedium(*child) & format.tymed))
                return child.get();
        }
        return nullptr;
    }
    return nullptr;
}

const CSnapshotDataObject::CSetValue* CSnapshotDataObject::FindSet(const FORMATETC& format) const
{
    for (const CSetValue& value : m_set) {
        if (SameDescription(value.format, format) && (format.tymed & TYMED_HGLOBAL))
            return &value;
    }
    return nullptr;
}

HRESULT CSnapshotDataObject::Logged(const wchar_t* method, const FORMATETC* format, HRESULT result, uint64_t bytes,
                                    std::wstring value) const
{
    if (m_log) {
        CReplayCall call{{}, method, format ? DescribeRequest(*format) : std::wstring(), result, bytes,
                         std::move(value)};
        ::GetLocalTime(&call.time);
        m_log(call);
    }
    return result;
}

HRESULT CSnapshotDataObject::GetDataUnlogged(const FORMATETC& format, STGMEDIUM& medium, uint64_t& bytes)
{
    if (const CSetValue* value = FindSet(format)) {
        CGlobalHandle block(::GlobalAlloc(GMEM_MOVEABLE, value->bytes.size()));
        CGlobalLock lock(block);
        if (!lock && !value->bytes.empty())
            return E_OUTOFMEMORY;
        if (!value->bytes.empty())
            std::memcpy(lock.Get(), value->bytes.data(), value->bytes.size());
        medium.tymed = TYMED_HGLOBAL;
        medium.hGlobal = block.Detach();
        bytes = value->bytes.size();
        return S_OK;
    }
    const CCBData* node = Find(format);
    if (!node)
        return DV_E_FORMATETC;
    const DWORD tymed = OneMedium(ServedMedium(*node) & format.tymed);
    if (!tymed)
        return DV_E_TYMED;
    try {
        const HRESULT made = MakeReplayMedium(*node, format.cfFormat, tymed, static_cast<IDataObject*>(this), medium);
        bytes = SUCCEEDED(made) ? node->m_nSize : 0;
        return made;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP CSnapshotDataObject::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    if (!format || !medium)
        return Logged(L"GetData", format, E_INVALIDARG);
    *medium = {};
    uint64_t bytes = 0;
    const HRESULT result = GetDataUnlogged(*format, *medium, bytes);
    return Logged(L"GetData", format, result, bytes, SUCCEEDED(result) ? PathNote(*format) : std::wstring());
}

std::wstring CSnapshotDataObject::PathNote(const FORMATETC& format) const
{
    if (m_strTakenOn.empty())
        return {};
    const std::wstring name = GetFormatName(format.cfFormat);
    if (name != L"CF_HDROP" && name != L"CFSTR_SHELLIDLIST")
        return {};
    return FormatResString(IDS_PATHS_OF_COMPUTER, m_strTakenOn.c_str());
}

STDMETHODIMP CSnapshotDataObject::GetDataHere(FORMATETC* format, STGMEDIUM* medium)
{
    if (!format || !medium)
        return Logged(L"GetDataHere", format, E_INVALIDARG);
    const CCBData* node = Find(*format);
    if (!node)
        return Logged(L"GetDataHere", format, DV_E_FORMATETC);
    if (!FillsInto(*node, *format, medium->tymed))
        return Logged(L"GetDataHere", format, DV_E_TYMED);
    const HRESULT result = FillReplayMedium(*node, *medium);
    return Logged(L"GetDataHere", format, result, SUCCEEDED(result) ? node->m_nSize : 0);
}

STDMETHODIMP CSnapshotDataObject::QueryGetData(FORMATETC* format)
{
    if (!format)
        return Logged(L"QueryGetData", format, E_INVALIDARG);
    return Logged(L"QueryGetData", format, FindSet(*format) || Find(*format) ? S_OK : DV_E_FORMATETC);
}

STDMETHODIMP CSnapshotDataObject::GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out)
{
    if (!in || !out)
        return E_INVALIDARG;
    *out = *in;
    out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP CSnapshotDataObject::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release)
{
    if (!format || !medium)
        return Logged(L"SetData", format, E_INVALIDARG);
    if (medium->tymed != TYMED_HGLOBAL)
        return Logged(L"SetData", format, DV_E_TYMED);
    CSetValue value{*format, {}};
    value.format.ptd = nullptr;
    value.format.tymed = TYMED_HGLOBAL;
    {
        CGlobalLock lock(medium->hGlobal);
        const auto* bytes = static_cast<const BYTE*>(lock.Get());
        if (bytes)
            value.bytes.assign(bytes, bytes + lock.Size());
    }
    if (release)
        ::ReleaseStgMedium(medium);
    const uint64_t size = value.bytes.size();
    std::wstring shown = DescribeSetValue(value.format.cfFormat, value.bytes.data(), value.bytes.size());
    // A later value of the same description replaces the earlier one.
    const auto kept = std::find_if(m_set.begin(), m_set.end(), [&](const CSetValue& earlier) {
        return SameDescription(earlier.format, value.format);
    });
    if (kept != m_set.end())
        *kept = std::move(value);
    else
        m_set.push_back(std::move(value));
    return Logged(L"SetData", format, S_OK, size, std::move(shown));
}

STDMETHODIMP CSnapshotDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats)
{
    if (!formats)
        return E_INVALIDARG;
    *formats = nullptr;
    if (direction != DATADIR_GET)
        return Logged(L"EnumFormatEtc", nullptr, E_NOTIMPL);
    std::vector<FORMATETC> all;
    for (const COffer& offer : m_offers)
        all.push_back(offer.format);
    for (const CSetValue& value : m_set) {
        if (!Find(value.format))
            all.push_back(value.format);
    }
    return Logged(L"EnumFormatEtc", nullptr, ::SHCreateStdEnumFmtEtc(static_cast<UINT>(all.size()), all.data(), formats));
}
