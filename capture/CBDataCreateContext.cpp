#include "capture/CBDataCreateContext.h"

#include "capture/CopyingDialog.h"

std::unique_ptr<CCBData> CCBDataCreateContext::CreateErrorData(const std::wstring& message)
{
    auto node = std::make_unique<CCBData>();
    node->m_arrInfo.push_back(kErrorLinePrefix + message);
    return node;
}

namespace {
constexpr ULONGLONG kPumpIntervalMs = 50;
}

bool CCBDataCreateContext::PumpMessagesIfDue()
{
    if (::GetTickCount64() - m_nLastPump >= kPumpIntervalMs)
        return PumpMessages();
    return m_pDialog && m_pDialog->m_bAbort;
}

bool CCBDataCreateContext::PumpMessages()
{
    m_nLastPump = ::GetTickCount64();
    if (m_pDialog)
        m_pDialog->ShowPendingItem();
    PumpWaitingMessages(m_pDialog ? m_pDialog->GetSafeHwnd() : nullptr);
    return m_pDialog && m_pDialog->m_bAbort;
}

void CCBDataCreateContext::ShowItem(const std::wstring& text)
{
    if (m_pDialog)
        m_pDialog->ShowItem(text);
}

bool CCBDataCreateContext::IsOverBudget() const
{
    // The setting is signed; a negative one stops every sub-container.
    const int64_t limit = m_host.GetCaptureOptions().sizeLimit;
    return limit < 0 || m_nTotal > static_cast<uint64_t>(limit);
}

std::wstring CCBDataCreateContext::GetStopMessage() const
{
    return std::wstring(kErrorLinePrefix) + (IsOverBudget() ? L"サイズが限界を超えたため" : L"") +
           L"取得を中止しました。";
}
