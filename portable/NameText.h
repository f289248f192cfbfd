// File names and paths read from a block, as the UTF-8 values of findings.
#pragma once

#include <string>
#include <string_view>

// An unpaired surrogate becomes U+FFFD.
std::string NameText(std::u16string_view name);
// The code page of ANSI bytes is not known here: ASCII is kept and every
// other byte becomes U+FFFD.
std::string NameText(std::string_view ansiName);
