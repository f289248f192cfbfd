// Item identifier lists owned by the capture, and their bytes.
#pragma once

#include "framework/CoTaskMem.h"
#include "portable/ByteReaderLayout.h"

#include <shtypes.h>

using CItemIdList = CCoTaskMemPtr<ITEMIDLIST>;

// A list from captured bytes, copied into aligned memory of the shell's own
// allocator. `bytes` must hold a whole list, terminator included.
CItemIdList CopyItemIdList(ByteSpan bytes);

// The bytes of a list that the shell made or that was copied from checked
// bytes, terminator included.
ByteSpan ItemIdListBytes(PCUIDLIST_RELATIVE list);
