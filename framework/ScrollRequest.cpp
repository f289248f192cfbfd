#include "framework/ScrollRequest.h"

int ScrollRequestTarget(HWND hWnd, int bar, UINT code, int pos, int line, int page, int max)
{
    // SB_LINELEFT, SB_PAGELEFT, SB_LEFT, … share the values of their vertical names.
    switch (code) {
    case SB_LINEUP: return pos - line;
    case SB_LINEDOWN: return pos + line;
    case SB_PAGEUP: return pos - page;
    case SB_PAGEDOWN: return pos + page;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO info{sizeof(info), SIF_TRACKPOS};
        ::GetScrollInfo(hWnd, bar, &info);
        return info.nTrackPos;
    }
    case SB_TOP: return 0;
    case SB_BOTTOM: return max;
    }
    return pos;
}
