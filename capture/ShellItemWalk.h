// One item of a shell folder, as both shell walks (a folder's items and the
// items of a shell item list) take it, and the second pass over such items.
#pragma once

#include "capture/CBDataCreateContext.h"

struct ShellItemRules {
    // The node's name when the folder gives the item no parsing name.
    const wchar_t* missingParsingName;
    // Try the item as a storage before trying it as a folder.
    bool preferStorage;
};

// Shows the item, then appends its node: a placeholder holding the bound
// storage or folder, a copy of the bound stream, else an unknown item. False
// when the run was to stop before the item was taken.
bool AddShellItem(CCBDataCreateContext& context, CCBDataArray& level, IShellFolder* folder,
                  PCUIDLIST_RELATIVE item, const ShellItemRules& rules);

// Opens the placeholders that AddShellItem left in `container`'s children.
void ExpandShellItems(CCBDataCreateContext& context, CCBData& container);
