// The "CodePages" setting that the text page lists and the code-page editor changes.
#pragma once

#include <string>

// The stored list; the default list when nothing is stored.
std::wstring ReadCodePagesSetting();
void WriteCodePagesSetting(const std::wstring& value);
