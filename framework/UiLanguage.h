// The language of the interface: every text, menu and dialog is loaded in
// it. Windows' choice for the user decides (Japanese for a Japanese user
// interface, English for every other) unless the command line says.
#pragma once

#include <windows.h>

inline constexpr LANGID kJapaneseUi = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
inline constexpr LANGID kEnglishUi = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// kJapaneseUi or kEnglishUi, by the user's interface language.
LANGID DefaultUiLanguage();
// The language chosen for this process; the default until one is set.
LANGID GetUiLanguage();
// Set before the first text is loaded; kJapaneseUi or kEnglishUi.
void SetUiLanguage(LANGID language);
