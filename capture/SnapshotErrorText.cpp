#include "capture/SnapshotErrorText.h"

#include "framework/Resource.h"
#include "framework/Utf8.h"

std::wstring EntryText(UINT id, const std::string& name)
{
    return FormatResString(id, FromUtf8(name).c_str());
}

std::wstring SystemErrorText(UINT id)
{
    return FormatResString(id, ::GetLastError());
}
