#include "ui/DropEntranceWnd.h"

#include "framework/Dpi.h"
#include "framework/FrameWnd.h"
#include "framework/PointFont.h"
#include "framework/View.h"
#include "ui/PlexaDoc.h"

bool CDropEntranceWnd::Create(HWND parent, UINT id, COLORREF background, const std::wstring& text,
                              bool bChooseFormat)
{
    m_crBack = background;
    m_strText = text;
    m_bChooseFormat = bChooseFormat;
    const std::wstring className = RegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    return CreateEx(0, className, L"", WS_CHILD | WS_BORDER, RECT{}, parent, id);
}

int CDropEntranceWnd::OnCreate(CREATESTRUCTW& cs)
{
    SetDpi(GetWindowDpi(m_hWnd));
    m_dropTarget.m_pTargetWnd = this;
    m_dropTarget.Register(m_hWnd);
    return 0;
}

void CDropEntranceWnd::SetDpi(UINT dpi)
{
    m_font = CreatePointFont(80, L"MS UI Gothic", dpi);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CDropEntranceWnd::OnDestroy()
{
    // While the window still exists: revoking needs it.
    m_dropTarget.Revoke();
    // Their sources hear that nothing was taken.
    m_pendingDrops.clear();
}

LRESULT CDropEntranceWnd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        OnPaint();
        return 0;
    }
    if (msg == WM_TIMER && wParam == kTakeDropsTimer) {
        TakePendingDrops();
        return 0;
    }
    return WndProcDefault(msg, wParam, lParam);
}

void CDropEntranceWnd::OnPaint()
{
    const CPaintDC dc(m_hWnd);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    CBrushHandle background(::CreateSolidBrush(m_crBack));
    ::FillRect(dc, &client, background);
    const CSelectObject font(dc, m_font);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, m_crBack);
    RECT text = client;
    ::DrawTextW(dc, m_strText.c_str(), -1, &text, DT_CALCRECT | DT_NOPREFIX | DT_CENTER);
    const int down = ((client.bottom - client.top) - (text.bottom - text.top)) / 2;
    const int right = ((client.right - client.left) - (text.right - text.left)) / 2;
    ::OffsetRect(&text, right, down);
    ::DrawTextW(dc, m_strText.c_str(), -1, &text, DT_NOPREFIX | DT_CENTER);
}

CPlexaDoc* CDropEntranceWnd::FindDocument() const
{
    for (HWND parent = ::GetParent(m_hWnd); parent; parent = ::GetParent(parent)) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandle(parent))) {
            CView* view = frame->GetActiveView();
            return view ? dynamic_cast<CPlexaDoc*>(view->GetDocument()) : nullptr;
        }
    }
    return nullptr;
}

DWORD CDropEntranceWnd::Answer() const
{
    const CPlexaDoc* document = FindDocument();
    return document && !document->CanStartSnapshot() ? DROPEFFECT_NONE : DROPEFFECT_COPY;
}

namespace {

AsyncTransfer TransferOf(const CAsyncDropOperation& operation)
{
    if (!operation.IsOffered())
        return AsyncTransfer::NotOffered;
    if (!operation.IsAsyncModeOn())
        return AsyncTransfer::Off;
    return operation.IsStarted() ? AsyncTransfer::Used : AsyncTransfer::StartFailed;
}

}  // namespace

bool CDropEntranceWnd::OnDrop(COleDataObject* dataObject, DWORD effect, POINT point)
{
    CPlexaDoc* document = FindDocument();
    if (!document)
        return false;
    auto drop = document->AcceptDrop(dataObject, m_bChooseFormat, m_dropTarget.OfferedEffects());
    if (!drop)
        return false;
    auto operation = std::make_unique<CAsyncDropOperation>(dataObject->GetIDataObject());
    drop->transfer = TransferOf(*operation);
    if (!operation->IsStarted())
        return document->TakeDrop(*drop) == S_OK;
    m_pendingDrops.push_back({std::move(*drop), effect, std::move(operation)});
    ::SetTimer(m_hWnd, kTakeDropsTimer, USER_TIMER_MINIMUM, nullptr);
    return true;
}

void CDropEntranceWnd::TakePendingDrops()
{
    CPlexaDoc* document = FindDocument();
    // Another piece of work's progress dialog handles messages, this timer's
    // too: ask again later.
    if (document && !document->CanStartSnapshot()) {
        ::SetTimer(m_hWnd, kTakeDropsTimer, 100, nullptr);
        return;
    }
    ::KillTimer(m_hWnd, kTakeDropsTimer);
    while (!m_pendingDrops.empty()) {
        CPendingDrop pending = std::move(m_pendingDrops.front());
        m_pendingDrops.pop_front();
        const HRESULT hr = document ? document->TakeDrop(pending.drop) : E_UNEXPECTED;
        pending.operation->End(hr, pending.effect);
    }
}
