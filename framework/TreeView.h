// A view that is itself a tree control: its window has the common control's
// class, so other programs can read it with TVM_* messages, and its TVN_*
// notifications come back to the view through reflection.
#pragma once

#include "framework/View.h"

class CTreeView : public CView {
protected:
    bool PreCreateWindow(CREATESTRUCTW& cs) override;
};
