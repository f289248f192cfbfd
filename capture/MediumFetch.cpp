// Fetching one format's medium from the data object or the open clipboard
// and turning it into a node.
#include "capture/CBDataCreateContext.h"
#include "capture/CBDataGdi.h"
#include "framework/OleDataObject.h"
#include "framework/Resource.h"
#include "framework/StgMedium.h"
#include "res/strings/capture.h"

namespace {

// The node for a medium that arrived, by its lowest known tymed bit.
std::unique_ptr<CCBData> NodeFromMedium(CCBDataCreateContext& context, const STGMEDIUM& medium)
{
    const DWORD tymed = medium.tymed;
    if (tymed & TYMED_HGLOBAL)
        return context.CaptureGlobal(medium.hGlobal);
    if (tymed & TYMED_FILE)
        return context.CaptureFile(medium.lpszFileName);
    if (tymed & TYMED_ISTREAM)
        return context.CaptureStream(medium.pstm);
    if (tymed & TYMED_ISTORAGE)
        return context.CaptureStorage(medium.pstg);
    if (tymed & TYMED_GDI)
        return std::make_unique<CCBData_HBITMAP>(medium.hBitmap, context.m_hPalette);
    if (tymed & TYMED_MFPICT)
        return std::make_unique<CCBData_HMETAFILEPICT>(medium.hMetaFilePict, context.GetHost());
    if (tymed & TYMED_ENHMF)
        return std::make_unique<CCBData_HENHMF>(medium.hEnhMetaFile);
    return CCBDataCreateContext::CreateErrorData(LoadResString(IDS_UNSUPPORTED_TYMED));
}

std::unique_ptr<CCBData> NodeFromClipboard(CCBDataCreateContext& context, UINT format, DWORD clipboardTymed)
{
    const HANDLE handle = ::GetClipboardData(format);
    switch (clipboardTymed) {
    case TYMED_HGLOBAL:
        return context.CaptureGlobal(handle);
    case TYMED_GDI:
        return std::make_unique<CCBData_HBITMAP>(static_cast<HBITMAP>(handle), context.m_hPalette);
    case TYMED_MFPICT:
        return std::make_unique<CCBData_HMETAFILEPICT>(handle, context.GetHost());
    case TYMED_ENHMF:
        return std::make_unique<CCBData_HENHMF>(static_cast<HENHMETAFILE>(handle));
    }
    return nullptr;
}

}

std::unique_ptr<CCBData> CCBDataCreateContext::GetMedium(const FORMATETC& fmt, DWORD clipboardTymed)
{
    std::unique_ptr<CCBData> node;
    if (m_pDataObject) {
        CStgMedium medium;
        FORMATETC anyMedium = fmt;
        anyMedium.tymed = TYMED_HGLOBAL | TYMED_FILE | TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_GDI |
                          TYMED_MFPICT | TYMED_ENHMF;
        if ((m_pDataObject->GetData(fmt, medium) || m_pDataObject->GetData(anyMedium, medium)) &&
            medium.tymed != TYMED_NULL) {
            node = NodeFromMedium(*this, medium);
            node->m_tymedActual = medium.tymed;
        } else {
            node = CreateErrorData(LoadResString(IDS_NO_DATA_GETDATA));
        }
    } else {
        node = NodeFromClipboard(*this, fmt.cfFormat, clipboardTymed);
    }
    if (!node)
        node = CreateErrorData(LoadResString(IDS_NO_DATA));
    node->m_fmt = fmt;
    return node;
}
