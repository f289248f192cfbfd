#include "capture/CBDataCreateContext.h"

#include "framework/Resource.h"
#include "res/strings/capture.h"

std::unique_ptr<CCBData> CCBDataCreateContext::CreateErrorData(const std::wstring& message)
{
    auto node = std::make_unique<CCBData>();
    node->AddErrorLine(message);
    return node;
}

bool CCBDataCreateContext::ShouldStop()
{
    if (!m_bStopped)
        m_bStopped = m_progress.ShouldStop();
    return m_bStopped;
}

bool CCBDataCreateContext::IsOverBudget() const
{
    // The setting is signed; a negative one stops every sub-container.
    const int64_t limit = m_host.GetCaptureOptions().sizeLimit;
    return limit < 0 || m_nTotal > static_cast<uint64_t>(limit);
}

std::wstring CCBDataCreateContext::GetStopMessage() const
{
    return LoadResString(IsOverBudget() ? IDS_STOPPED_OVER_BUDGET : IDS_STOPPED);
}
