#include "framework/ListCtrl.h"

int CListCtrl::InsertColumn(int column, const std::wstring& heading, int format, int width)
{
    LVCOLUMNW col{LVCF_TEXT | LVCF_FMT | LVCF_WIDTH};
    col.fmt = format;
    col.cx = width;
    col.pszText = const_cast<wchar_t*>(heading.c_str());
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&col)));
}

int CListCtrl::InsertItem(int index, const std::wstring& text)
{
    LVITEMW item{LVIF_TEXT, index};
    item.pszText = const_cast<wchar_t*>(text.c_str());
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListCtrl::SetItemText(int item, int subItem, const std::wstring& text)
{
    LVITEMW change{};
    change.iSubItem = subItem;
    change.pszText = const_cast<wchar_t*>(text.c_str());
    return SendMessage(LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&change)) != 0;
}

std::wstring CListCtrl::GetItemText(int item, int subItem) const
{
    // The control copies what fits and returns the length copied, so a
    // text that fills the buffer may be longer: try again with more room.
    std::wstring text(256, L'\0');
    for (;;) {
        LVITEMW request{};
        request.iSubItem = subItem;
        request.pszText = text.data();
        request.cchTextMax = static_cast<int>(text.size());
        const auto length = static_cast<size_t>(
            SendMessage(LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&request)));
        if (length + 1 < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

bool CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    LVITEMW change{};
    change.state = state;
    change.stateMask = mask;
    return SendMessage(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&change)) != 0;
}
