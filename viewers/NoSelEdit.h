// An edit control that keeps its selection when the keyboard focus arrives,
// and selects all of its text on Ctrl+A.
#pragma once

#include "framework/Controls.h"

class CNoSelEdit : public CEdit {
protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
