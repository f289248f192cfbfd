// Resources of the running module, in the interface's language where they
// come in several.
#pragma once

#include "framework/Handles.h"
#include "framework/UiLanguage.h"

#include <span>
#include <string>

// The bytes of resource `id` of `type` in `language`, else in whatever
// language the module has it; empty when it does not exist.
std::span<const BYTE> FindResourceBytes(UINT id, const wchar_t* type, LANGID language = GetUiLanguage());
// Only in `language`; empty when the module lacks that translation.
std::span<const BYTE> FindResourceBytesIn(UINT id, const wchar_t* type, LANGID language);

// Bitmap `id` as a DIB section, in the interface's language when it comes in
// several (pictures with words); null when it does not exist or is damaged.
CBitmapHandle LoadBitmapResource(UINT id);

// Text `id` of the string table, in `language` when it has it; empty when no
// language has it.
std::wstring LoadResString(UINT id, LANGID language = GetUiLanguage());
// Only in `language`: whether the text exists is whether it is non-empty.
std::wstring LoadResStringIn(UINT id, LANGID language);
// Text `id` as the printf format of the arguments.
std::wstring FormatResString(UINT id, ...);
