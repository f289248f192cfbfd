#include "capture/ReplayMedia.h"

#include "capture/CBDataGdi.h"
#include "capture/NodeTypeNames.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"

#include <ole2.h>
#include <shlwapi.h>

#include <cstring>

namespace {

HRESULT CopyInto(const CCBData& node, BYTE* target)
{
    const auto copy = [&](std::span<const BYTE> piece, uint64_t done) {
        std::memcpy(target + (done - piece.size()), piece.data(), piece.size());
        return true;
    };
    return node.ReadPieces(copy) == CCBData::PiecesResult::Read ? S_OK : STG_E_READFAULT;
}

HRESULT WriteToStream(const CCBData& node, IStream* stream)
{
    HRESULT written = S_OK;
    const auto write = [&](std::span<const BYTE> piece, uint64_t) {
        ULONG count = 0;
        written = stream->Write(piece.data(), static_cast<ULONG>(piece.size()), &count);
        return SUCCEEDED(written) && count == piece.size();
    };
    if (node.ReadPieces(write) != CCBData::PiecesResult::Read)
        return FAILED(written) ? written : STG_E_READFAULT;
    return S_OK;
}

// The elements below a storage node, streams and sub-storages by name.
HRESULT WriteStorage(const CCBData& node, IStorage* storage)
{
    if (!node.m_pChildren)
        return S_OK;
    constexpr DWORD kCreate = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
    for (const auto& child : *node.m_pChildren) {
        HRESULT result = S_OK;
        if (child->m_strType == kTypeStorage) {
            CComPtr<IStorage> sub;
            result = storage->CreateStorage(child->m_strName.c_str(), kCreate, 0, 0, &sub);
            if (SUCCEEDED(result))
                result = WriteStorage(*child, sub);
        } else if (!child->m_strTempFile.empty()) {
            CComPtr<IStream> stream;
            result = storage->CreateStream(child->m_strName.c_str(), kCreate, 0, 0, &stream);
            if (SUCCEEDED(result))
                result = WriteToStream(*child, stream);
        }
        if (FAILED(result))
            return result;
    }
    return storage->Commit(STGC_DEFAULT);
}

HRESULT MakeGlobal(const CCBData& node, STGMEDIUM& medium)
{
    if (node.m_nSize > SIZE_MAX)
        return E_OUTOFMEMORY;
    CGlobalHandle block(::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(node.m_nSize)));
    if (!block)
        return E_OUTOFMEMORY;
    if (node.m_nSize) {
        CGlobalLock lock(block);
        if (const HRESULT copied = CopyInto(node, static_cast<BYTE*>(lock.Get())); FAILED(copied))
            return copied;
    }
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = block.Detach();
    return S_OK;
}

HRESULT MakeStream(const CCBData& node, STGMEDIUM& medium)
{
    CComPtr<IStream> stream;
    const HRESULT opened = ::SHCreateStreamOnFileEx(node.m_strTempFile.c_str(), STGM_READ | STGM_SHARE_DENY_NONE,
                                                    FILE_ATTRIBUTE_NORMAL, FALSE, nullptr, &stream);
    if (FAILED(opened))
        return opened;
    medium.tymed = TYMED_ISTREAM;
    medium.pstm = stream.Detach();
    return S_OK;
}

HRESULT MakeStorage(const CCBData& node, STGMEDIUM& medium)
{
    // A compound file of its own, gone once the receiver releases it.
    CComPtr<IStorage> storage;
    HRESULT result = ::StgCreateDocfile(nullptr, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE |
                                                     STGM_DELETEONRELEASE, 0, &storage);
    if (SUCCEEDED(result))
        result = WriteStorage(node, storage);
    if (FAILED(result))
        return result;
    medium.tymed = TYMED_ISTORAGE;
    medium.pstg = storage.Detach();
    return S_OK;
}

HRESULT MakeFile(const CCBData& node, IUnknown* owner, STGMEDIUM& medium)
{
    const size_t bytes = (node.m_strTempFile.size() + 1) * sizeof(wchar_t);
    auto* name = static_cast<wchar_t*>(::CoTaskMemAlloc(bytes));
    if (!name)
        return E_OUTOFMEMORY;
    std::memcpy(name, node.m_strTempFile.c_str(), bytes);
    medium.tymed = TYMED_FILE;
    medium.lpszFileName = name;
    medium.pUnkForRelease = owner;
    owner->AddRef();
    return S_OK;
}

HRESULT MakeGdi(const CCBData& node, CLIPFORMAT format, DWORD tymed, STGMEDIUM& medium)
{
    if (const auto* bitmap = dynamic_cast<const CCBData_HBITMAP*>(&node); bitmap && tymed == TYMED_GDI) {
        medium.hBitmap = format == CF_PALETTE
                             ? static_cast<HBITMAP>(::OleDuplicateData(bitmap->m_hPalette, CF_PALETTE, 0))
                             : static_cast<HBITMAP>(::OleDuplicateData(bitmap->m_hBitmap, CF_BITMAP, 0));
    }
    else if (const auto* enhanced = dynamic_cast<const CCBData_HENHMF*>(&node); enhanced && tymed == TYMED_ENHMF)
        medium.hEnhMetaFile = ::CopyEnhMetaFileW(enhanced->m_hEnhMetaFile, nullptr);
    else if (const auto* picture = dynamic_cast<const CCBData_HMETAFILEPICT*>(&node); picture && tymed == TYMED_MFPICT) {
        CGlobalHandle block(::GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT)));
        CGlobalLock from(picture->m_hMetaFilePict);
        CGlobalLock to(block);
        if (!from || !to)
            return E_OUTOFMEMORY;
        auto* copy = static_cast<METAFILEPICT*>(to.Get());
        *copy = *static_cast<const METAFILEPICT*>(from.Get());
        copy->hMF = ::CopyMetaFileW(picture->m_hMetaFile, nullptr);
        if (!copy->hMF)
            return E_OUTOFMEMORY;
        medium.hMetaFilePict = block.Detach();
    }
    if (!medium.hGlobal)
        return DV_E_TYMED;
    medium.tymed = tymed;
    return S_OK;
}

}

HRESULT MakeReplayMedium(const CCBData& node, CLIPFORMAT format, DWORD tymed, IUnknown* owner, STGMEDIUM& medium)
{
    medium = {};
    switch (tymed) {
    case TYMED_HGLOBAL:
        return MakeGlobal(node, medium);
    case TYMED_ISTREAM:
        return MakeStream(node, medium);
    case TYMED_ISTORAGE:
        return MakeStorage(node, medium);
    case TYMED_FILE:
        return MakeFile(node, owner, medium);
    default:
        return MakeGdi(node, format, tymed, medium);
    }
}

HRESULT FillReplayMedium(const CCBData& node, STGMEDIUM& medium)
{
    switch (medium.tymed) {
    case TYMED_HGLOBAL: {
        CGlobalLock lock(medium.hGlobal);
        if (!lock || lock.Size() < node.m_nSize)
            return STG_E_MEDIUMFULL;
        return CopyInto(node, static_cast<BYTE*>(lock.Get()));
    }
    case TYMED_ISTREAM:
        return medium.pstm ? WriteToStream(node, medium.pstm) : E_INVALIDARG;
    case TYMED_ISTORAGE:
        return medium.pstg ? WriteStorage(node, medium.pstg) : E_INVALIDARG;
    default:
        return DV_E_TYMED;
    }
}
