// OLE drag and drop driven by real mouse input, as a person drags: this
// thread runs DoDragDrop while another one moves the pointer.
#pragma once

#include <objidl.h>

#include <functional>

struct CDragResult {
    HRESULT hr = E_FAIL;
    DWORD effect = DROPEFFECT_NONE;
};

// Presses the button at `from`, glides to `to` and releases it there (screen
// points). `afterRelease` runs on the moving thread once the button is up,
// for what the target shows while it takes the drop.
CDragResult DragWithMouse(IDataObject* source, DWORD allowedEffects, POINT from, POINT to,
                          const std::function<void()>& afterRelease = {});
