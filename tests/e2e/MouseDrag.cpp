#include "MouseDrag.h"

#include "UserInput.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"
#include "support/TestComObject.h"

#include <ole2.h>

namespace {

// Drops when the button comes up, cancels on Esc.
class CMouseDropSource final : public CTestComObject<IDropSource> {
public:
    static CComPtr<IDropSource> Create() { return CComPtr<IDropSource>::Adopt(new CMouseDropSource); }

    IFACEMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override
    {
        if (escapePressed)
            return DRAGDROP_S_CANCEL;
        return (keyState & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    IFACEMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    CMouseDropSource() = default;
};

struct Glide {
    POINT from;
    POINT to;
    const std::function<void()>* afterRelease;
};

DWORD WINAPI MoveAndRelease(void* param)
{
    const auto* glide = static_cast<const Glide*>(param);
    // Gives DoDragDrop time to start tracking.
    ::Sleep(200);
    GlideMouseTo(glide->from, glide->to);
    ::Sleep(100);
    ReleaseLeftButton();
    if (*glide->afterRelease)
        (*glide->afterRelease)();
    return 0;
}

}  // namespace

CDragResult DragWithMouse(IDataObject* source, DWORD allowedEffects, POINT from, POINT to,
                          const std::function<void()>& afterRelease)
{
    CDragResult result;
    // The press must land on a window of this thread, as on the item a
    // person starts to drag, or the thread never sees the button go down.
    const HWND grip = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE,
                                        from.x - 20, from.y - 20, 40, 40, nullptr, nullptr, nullptr, nullptr);
    MoveMouseTo(from);
    PressLeftButton();
    for (int i = 0; i < 100 && ::GetKeyState(VK_LBUTTON) >= 0; ++i)
        PumpMessagesFor(10);
    Glide glide{from, to, &afterRelease};
    CHandle mover(::CreateThread(nullptr, 0, MoveAndRelease, &glide, 0, nullptr));
    if (!mover) {
        ReleaseLeftButton();
        ::DestroyWindow(grip);
        return result;
    }
    CComPtr<IDropSource> dropSource = CMouseDropSource::Create();
    result.hr = ::DoDragDrop(source, dropSource, allowedEffects, &result.effect);
    // The thread reads `glide`; it must end first.
    ::WaitForSingleObject(mover, INFINITE);
    ::DestroyWindow(grip);
    return result;
}
