// Text comparison that ignores the case of A to Z and of nothing else, the
// way format names and format keys are matched.
#pragma once

#include <string_view>

bool AsciiEquals(std::wstring_view a, std::wstring_view b);
// An order consistent with AsciiEquals: texts equal under it are equivalent.
bool AsciiLess(std::wstring_view a, std::wstring_view b);
