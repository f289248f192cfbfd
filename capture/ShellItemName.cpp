#include "capture/ShellItemName.h"

#include "capture/AnsiText.h"
#include "capture/ItemIdList.h"
#include "framework/CoTaskMem.h"

#include <cstring>
#include <utility>

std::optional<std::wstring> TakeStrRet(STRRET& reply, ByteSpan item)
{
    switch (reply.uType) {
    case STRRET_WSTR: {
        const CCoTaskMemPtr<wchar_t> text(std::exchange(reply.pOleStr, nullptr));
        if (!text)
            return std::nullopt;
        return std::wstring(text.get());
    }
    case STRRET_CSTR:
        return AnsiToWide(std::string_view(reply.cStr, ::strnlen(reply.cStr, sizeof reply.cStr)));
    case STRRET_OFFSET: {
        const auto text = ReadTerminated<char>(item, reply.uOffset, item.size());
        if (!text.terminated)
            return std::nullopt;
        return AnsiToWide(text.text);
    }
    default:
        return std::nullopt;
    }
}

std::optional<std::wstring> GetItemName(IShellFolder* folder, PCUIDLIST_RELATIVE item, SHGDNF flags)
{
    STRRET reply{};
    if (FAILED(folder->GetDisplayNameOf(item, flags, &reply)))
        return std::nullopt;
    return TakeStrRet(reply, ItemIdListBytes(item));
}
