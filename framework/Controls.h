// Standard controls bound to dialog items.
#pragma once

#include "framework/Wnd.h"

class CEdit : public CWnd {
};

class CStatic : public CWnd {
};
