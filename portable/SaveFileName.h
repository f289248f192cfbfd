// The file name proposed when a node's bytes are saved: the node's own name
// when it has one, else its format's name with the extension files of that
// format carry.
#pragma once

#include <string>
#include <string_view>

// `nodeName` may be a path (its last part is taken); `formatName` is the name
// as Plexa shows it, registered names in double quotes. Characters that file
// names cannot hold become '_'.
std::wstring ProposeSaveFileName(std::wstring_view nodeName, std::wstring_view formatName);
