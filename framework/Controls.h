// Standard controls bound to dialog items.
#pragma once

#include "framework/Wnd.h"

class CEdit : public CWnd {
};

class CStatic : public CWnd {
};

class CButton : public CWnd {
public:
    bool GetCheck() const { return SendMessage(BM_GETCHECK) == BST_CHECKED; }
};

class CComboBox : public CWnd {
public:
    int AddString(const std::wstring& text)
    {
        return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    // -1 when nothing is selected.
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    void SetCurSel(int index) { SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)); }
};
