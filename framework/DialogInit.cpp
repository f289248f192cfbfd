#include "framework/DialogInit.h"

#include "framework/FrameworkIds.h"
#include "framework/Resource.h"

#include <cstring>
#include <vector>

bool ExecuteDlgInit(HWND dialog, UINT templateId)
{
    const std::span<const BYTE> data = FindResourceBytes(templateId, MAKEINTRESOURCEW(RT_DLGINIT));
    size_t pos = 0;
    // Entries: WORD control, WORD message, DWORD byte count, the text; a WORD 0 ends the list.
    const auto take = [&](void* out, size_t size) {
        if (data.size() - pos < size)
            return false;
        std::memcpy(out, data.data() + pos, size);
        pos += size;
        return true;
    };
    for (;;) {
        WORD control = 0;
        WORD message = 0;
        DWORD size = 0;
        if (!take(&control, sizeof(control)))
            return false;
        if (control == 0)
            return true;
        if (!take(&message, sizeof(message)) || !take(&size, sizeof(size)))
            return false;
        // A copy, NUL-terminated whatever the data says, and suitably aligned.
        std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
        if (!take(text.data(), size))
            return false;
        ::SendDlgItemMessageW(dialog, control, message, 0, reinterpret_cast<LPARAM>(text.data()));
    }
}
