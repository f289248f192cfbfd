// Code-page values of the text page and the nodes: Windows code-page numbers,
// with UTF-16 in either byte order and "none known" added as negative values.
#pragma once

enum : int { kCodePageNone = -10, kCodePageAnsi = 0, kCodePageOem = 1, kCodePageUtf16LE = -1,
             kCodePageUtf16BE = -2, kCodePageUtf8 = 65001 };
