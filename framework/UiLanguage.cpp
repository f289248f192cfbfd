#include "framework/UiLanguage.h"

namespace {
LANGID g_language = 0;
}

LANGID DefaultUiLanguage()
{
    return PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_JAPANESE ? kJapaneseUi : kEnglishUi;
}

LANGID GetUiLanguage()
{
    if (!g_language)
        g_language = DefaultUiLanguage();
    return g_language;
}

void SetUiLanguage(LANGID language)
{
    g_language = language;
}
