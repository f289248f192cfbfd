// A dialog template's initialisation data (RT_DLGINIT): the strings its
// combo and list boxes start with, sent to the controls as the resource lists them.
#pragma once

#include <windows.h>

// Sends every entry of the data for `templateId` to the dialog's controls;
// false when the resource is missing or malformed (entries before that are sent).
bool ExecuteDlgInit(HWND dialog, UINT templateId);
