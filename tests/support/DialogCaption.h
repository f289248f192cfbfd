// The caption a dialog template of the resources has in one language, as a
// test finds the window Plexa shows with it.
#pragma once

#include <windows.h>

#include <string>

std::wstring DialogCaption(UINT id, LANGID language);
