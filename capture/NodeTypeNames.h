// Kind labels that more than one walk gives its nodes.
#pragma once

inline constexpr wchar_t kTypeStorage[] = L"IStorage";
inline constexpr wchar_t kTypeShellFolder[] = L"IShellFolder";
