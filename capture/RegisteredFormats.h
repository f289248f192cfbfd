// The numbers of the clipboard formats the capture recognises by name,
// registered once at start-up.
#pragma once

#include <windows.h>

extern UINT g_cfFileContents;
extern UINT g_cfFileGroupDescriptor;
extern UINT g_cfFileGroupDescriptorW;

void RegisterClipboardFormats();
