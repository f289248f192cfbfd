// What the user is told when a node's temporary file holds fewer bytes than
// the node, or cannot be read at all.
#pragma once

inline constexpr wchar_t kCannotReadTempFileMessage[] = L"一時ファイルを読めません";
