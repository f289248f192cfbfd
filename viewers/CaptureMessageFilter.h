// Keeps the progress dialog's "中止" button working while a call into
// another program's data object waits for its answer, and cancels that call
// once the run is aborted: a hung source then cannot hang the capture.
#pragma once

#include "framework/ComPtr.h"

#include <objidl.h>

class CDialogCaptureProgress;

// Registered on the user-interface thread for as long as the object lives;
// the filter that was there before comes back afterwards.
class CCaptureMessageFilter final : public IMessageFilter {
public:
    explicit CCaptureMessageFilter(const CDialogCaptureProgress& progress);
    ~CCaptureMessageFilter();
    CCaptureMessageFilter(const CCaptureMessageFilter&) = delete;
    CCaptureMessageFilter& operator=(const CCaptureMessageFilter&) = delete;

    IFACEMETHODIMP QueryInterface(REFIID iid, void** out) override;
    // Lives inside the run's progress; COM's references do not own it.
    IFACEMETHODIMP_(ULONG) AddRef() override { return 2; }
    IFACEMETHODIMP_(ULONG) Release() override { return 1; }

    IFACEMETHODIMP_(DWORD) HandleInComingCall(DWORD callType, HTASK caller, DWORD tickCount,
                                              INTERFACEINFO* info) override;
    IFACEMETHODIMP_(DWORD) RetryRejectedCall(HTASK callee, DWORD tickCount, DWORD rejectType) override;
    IFACEMETHODIMP_(DWORD) MessagePending(HTASK callee, DWORD tickCount, DWORD pendingType) override;

private:
    const CDialogCaptureProgress& m_progress;
    CComPtr<IMessageFilter> m_pPrevious;
    bool m_bRegistered = false;
};
