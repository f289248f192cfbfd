// The asynchronous transfer a drop's source may offer
// (IDataObjectAsyncCapability): the source's drag loop ends as soon as the
// drop call returns, and the target tells it the result once the data is taken.
#pragma once

#include "framework/ComPtr.h"

#include <ole2.h>
#include <shldisp.h>

class CAsyncDropOperation {
public:
    // Starts the operation when `dataObject` offers it with its async mode on.
    explicit CAsyncDropOperation(IDataObject* dataObject);
    // An operation started and never ended is ended as aborted: no source
    // waits for ever.
    ~CAsyncDropOperation();
    CAsyncDropOperation(const CAsyncDropOperation&) = delete;
    CAsyncDropOperation& operator=(const CAsyncDropOperation&) = delete;

    bool IsOffered() const { return m_bOffered; }
    bool IsAsyncModeOn() const { return m_bAsyncMode; }
    // StartOperation succeeded: the data is taken after the drop call returns.
    bool IsStarted() const { return m_bStarted; }

    // Tells the source the outcome once: `hr`, and the effect performed
    // (none unless `hr` succeeded).
    void End(HRESULT hr, DWORD effect);

private:
    CComPtr<IDataObjectAsyncCapability> m_pAsync;
    bool m_bOffered = false;
    bool m_bAsyncMode = false;
    bool m_bStarted = false;
    bool m_bEnded = false;
};
