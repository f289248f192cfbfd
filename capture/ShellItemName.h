// Names of shell items, read from the shell's STRRET replies.
#pragma once

#include "portable/ByteReaderLayout.h"

#include <shobjidl.h>

#include <optional>
#include <string>

// The text of a reply about the list whose bytes are `item`. A wide name is
// taken and its memory freed; inline ANSI text is read up to its NUL or the
// end of the reply; a name at an offset into the list must end inside the
// list, else there is none.
std::optional<std::wstring> TakeStrRet(STRRET& reply, ByteSpan item);

// The name that `folder` gives `item` with `flags`; nullopt when it gives none.
std::optional<std::wstring> GetItemName(IShellFolder* folder, PCUIDLIST_RELATIVE item, SHGDNF flags);
