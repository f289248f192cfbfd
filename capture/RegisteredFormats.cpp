#include "capture/RegisteredFormats.h"

UINT g_cfFileContents = 0;
UINT g_cfFileGroupDescriptor = 0;
UINT g_cfFileGroupDescriptorW = 0;

void RegisterClipboardFormats()
{
    g_cfFileContents = ::RegisterClipboardFormatW(L"FileContents");
    g_cfFileGroupDescriptor = ::RegisterClipboardFormatW(L"FileGroupDescriptor");
    g_cfFileGroupDescriptorW = ::RegisterClipboardFormatW(L"FileGroupDescriptorW");
}
