// The rows of the formats a source marks its data with for clipboard
// monitors and history tools: what each asks, for the property page.
#pragma once

#include "capture/CBData.h"

// The meaning row of the three privacy formats; nothing for other nodes.
void AddPrivacyFormatRows(const CCBData& node, CStringArray& rows);
