// The text page's report line: whether the bytes ended at a NUL and which
// line breaks the text has, in the interface's language.
#pragma once

#include "portable/TextLines.h"

#include <string>

std::wstring TextReport(bool nulFound, LineBreakKind lineBreaks);
