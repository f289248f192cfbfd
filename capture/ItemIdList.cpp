#include "capture/ItemIdList.h"

#include <shlobj.h>

#include <cstring>
#include <new>

CItemIdList CopyItemIdList(ByteSpan bytes)
{
    CItemIdList list(static_cast<ITEMIDLIST*>(::CoTaskMemAlloc(bytes.size())));
    if (!list)
        throw std::bad_alloc();
    std::memcpy(list.get(), bytes.data(), bytes.size());
    return list;
}

ByteSpan ItemIdListBytes(PCUIDLIST_RELATIVE list)
{
    return ByteSpan(reinterpret_cast<const uint8_t*>(list), ::ILGetSize(list));
}
