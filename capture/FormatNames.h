// Names of clipboard formats, aspects and storage media as Plexa shows them.
#pragma once

#include "common/Strings.h"

#include <objidl.h>

#include <string>
#include <vector>

using CFormatEtcArray = std::vector<FORMATETC>;

// The standard name, a range name, the shell's constant name or the quoted
// registered name, else the number; `registered` says whether the clipboard knew it.
std::wstring GetFormatName(UINT cfFormat, bool* registered = nullptr);
// The name a registered format was registered under; empty for the others.
std::wstring RegisteredFormatName(UINT cfFormat);
std::wstring GetAspectNames(DWORD aspect);
std::wstring GetTymedNames(DWORD tymed);
std::wstring GetFormatEtcName(const FORMATETC& fmt);
void GetFormatNames(const CFormatEtcArray& formats, CStringArray& names);
