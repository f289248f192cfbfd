// Splitting and joining of separator-delimited lists, as the settings store them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

using CStringArray = std::vector<std::wstring>;

// Empties `out`, then adds the text before each separator (empty entries too);
// the remainder after the last separator is added only when it is not empty.
void SplitString(CStringArray& out, std::wstring_view text, std::wstring_view separator = L"\r\n");

// Every entry followed by the separator, the last one too.
std::wstring JoinStrings(const CStringArray& entries, std::wstring_view separator = L"\r\n");
