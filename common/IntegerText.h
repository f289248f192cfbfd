// A signed decimal integer typed by the user, read strictly.
#pragma once

#include <optional>
#include <string_view>

// The value of an optional sign and decimal digits, with blanks (spaces and
// tabs) allowed around them; none for anything else or for a value out of int range.
std::optional<int> ParseDecimalInt(std::wstring_view text);
