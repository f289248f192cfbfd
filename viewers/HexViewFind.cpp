// Finding bytes or text in the dump: the find box, F3 and Shift+F3.
#include "viewers/HexViewCtrl.h"

#include "framework/WinApp.h"
#include "res/strings/viewers.h"
#include "viewers/HexFindDialog.h"
#include "viewers/HexSearchRun.h"

bool CHexViewCtrl::AskFind(CHexFindRequest& request, std::vector<BytePattern>& patterns)
{
    CHexFindDialog dialog(request);
    if (dialog.DoModal(::GetAncestor(m_hWnd, GA_ROOT)) != IDOK)
        return false;
    request = dialog.m_request;
    patterns = std::move(dialog.m_patterns);
    return true;
}

void CHexViewCtrl::ShowNotFound()
{
    AfxMessageBox(IDS_HEX_NOT_FOUND);
}

void CHexViewCtrl::OpenFind()
{
    if (m_nDataSize == 0)
        return;
    CHexFindRequest request = m_findRequest;
    std::vector<BytePattern> patterns;
    if (!AskFind(request, patterns) || patterns.empty())
        return;
    m_findRequest = request;
    m_findPatterns = std::move(patterns);
    FindAgain(request.forward);
}

void CHexViewCtrl::FindAgain(bool forward)
{
    if (m_nDataSize == 0)
        return;
    if (m_findPatterns.empty()) {
        OpenFind();
        return;
    }
    // Next starts one byte after the selection's start, so a match next to the last one is found too.
    const HexByteRange selected = GetSelectedByteRange();
    const uint64_t from = selected.Empty() ? Layout().SelectedBytes(GetCaret(), GetCaret()).start
                                           : selected.start + (forward ? 1 : 0);
    CByteSearch search(m_findPatterns, m_nDataSize, from, forward);
    const ByteReadFunction read = [this](uint64_t offset, uint32_t count, uint8_t* buffer) {
        return Read(offset, count, buffer);
    };
    switch (RunByteSearch(search, read, m_hWnd)) {
    case SearchOutcome::Found:
        SelectBytes({search.GetMatch().offset, search.GetMatch().offset + search.GetMatch().length});
        break;
    case SearchOutcome::NotFound:
        ShowNotFound();
        break;
    case SearchOutcome::Stopped:
        break;
    }
    ::SetFocus(m_hWnd);
}

void CHexViewCtrl::SelectBytes(HexByteRange range)
{
    if (range.Empty() || range.end > m_nDataSize)
        return;
    const CHexLayout layout = Layout();
    const uint64_t perLine = static_cast<uint64_t>(m_nBytesPerLine);
    const uint64_t last = range.end - 1;
    // From the first byte's high digit to just after the last byte's low digit.
    MoveCaret(static_cast<int64_t>(range.start / perLine),
              layout.HexColumn() + 3 * static_cast<int>(range.start % perLine), false);
    MoveCaret(static_cast<int64_t>(last / perLine), layout.HexColumn() + 3 * static_cast<int>(last % perLine) + 2,
              true);
    EnsureCaretVisible();
    ::UpdateWindow(m_hWnd);
}
