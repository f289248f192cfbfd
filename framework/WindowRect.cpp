#include "framework/WindowRect.h"

RECT GetChildRect(HWND child)
{
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetAncestor(child, GA_PARENT), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
