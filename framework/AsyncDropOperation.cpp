#include "framework/AsyncDropOperation.h"

CAsyncDropOperation::CAsyncDropOperation(IDataObject* dataObject)
{
    if (!dataObject ||
        FAILED(dataObject->QueryInterface(IID_IDataObjectAsyncCapability, reinterpret_cast<void**>(&m_pAsync))) ||
        !m_pAsync)
        return;
    m_bOffered = true;
    // Sources written against the old IAsyncOperation answer VARIANT_TRUE.
    BOOL async = FALSE;
    m_bAsyncMode = SUCCEEDED(m_pAsync->GetAsyncMode(&async)) && async;
    m_bStarted = m_bAsyncMode && SUCCEEDED(m_pAsync->StartOperation(nullptr));
}

CAsyncDropOperation::~CAsyncDropOperation()
{
    End(E_ABORT, DROPEFFECT_NONE);
}

void CAsyncDropOperation::End(HRESULT hr, DWORD effect)
{
    if (!m_bStarted || m_bEnded)
        return;
    m_bEnded = true;
    m_pAsync->EndOperation(hr, nullptr, SUCCEEDED(hr) ? effect : DROPEFFECT_NONE);
}
