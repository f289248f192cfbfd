// A report-view list control ("SysListView32") bound to a dialog item: the
// operations Plexa's lists use.
#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

#include <string>

class CListCtrl : public CWnd {
public:
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    void SetExtendedStyle(DWORD exStyle) { SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, exStyle); }

    // `format` is LVCFMT_LEFT and the like; returns the new column's index, or -1.
    int InsertColumn(int column, const std::wstring& heading, int format, int width);
    int GetColumnWidth(int column) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, column)); }

    // An item with the text of its first column; returns its index, or -1.
    int InsertItem(int index, const std::wstring& text);
    bool SetItemText(int item, int subItem, const std::wstring& text);
    std::wstring GetItemText(int item, int subItem) const;
    bool DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }

    UINT GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
    // The next item after `start` (-1: from the first) with the LVNI_* state, or -1.
    int GetNextItem(int start, UINT flags) const
    {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, start, MAKELPARAM(flags, 0)));
    }
    // Sets the states in `mask` to those of `state`; item -1 is every item.
    bool SetItemState(int item, UINT state, UINT mask);
};
