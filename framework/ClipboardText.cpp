#include "framework/ClipboardText.h"

#include "framework/Clipboard.h"
#include "framework/Handles.h"

#include <cstring>

CopyTextResult CopyTextToClipboard(HWND owner, const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    CGlobalHandle block(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, bytes));
    {
        const CGlobalLock lock(block);
        if (!lock)
            return CopyTextResult::NoMemory;
        std::memcpy(lock.Get(), text.c_str(), bytes);
    }
    // Emptying or setting can fail too; that is no copy either.
    const CClipboard clipboard(owner);
    if (!clipboard || !::EmptyClipboard() || !::SetClipboardData(CF_UNICODETEXT, block))
        return CopyTextResult::NoClipboard;
    block.Detach();  // the clipboard's now
    return CopyTextResult::Copied;
}
