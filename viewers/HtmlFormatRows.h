// The description header of an "HTML Format" node as property rows, and the
// fragment it marks, for the property and text pages.
#pragma once

#include "capture/CBData.h"
#include "portable/HtmlFormatHeader.h"

bool IsHtmlFormatNode(const CCBData& node);

// The header's fields as "name\tvalue" rows, then an error line for each problem.
void AddHtmlHeaderRows(const HtmlFormatHeader& header, CStringArray& rows);

// The rows of the header read from the start of the node's file; nothing for other nodes.
void AddHtmlFormatRows(const CCBData& node, CStringArray& rows);
