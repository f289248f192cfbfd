// Dialog templates of the module's resources: the caption a tab shows for a
// page, and a copy of the template with the styles of a page in a sheet.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

// The bytes of dialog template `id`; empty when the module has none.
std::span<const BYTE> FindDialogTemplate(UINT id);

// The caption of a DLGTEMPLATE or DLGTEMPLATEEX; empty when the bytes end before it does.
std::wstring GetDialogTemplateCaption(std::span<const BYTE> bytes);

// A copy that makes a hidden control-parent child without caption or frame;
// empty when the bytes are too short for a template header. The copy's
// memory is aligned as CreateDialogIndirect needs.
std::vector<BYTE> MakePageTemplate(std::span<const BYTE> bytes);
