// Runs a byte search to its end without freezing the program: a search that
// lasts more than a moment shows its progress in a dialog whose "中止"
// button stops it, with the window it belongs to disabled meanwhile.
#pragma once

#include "portable/ByteSearch.h"

#include <windows.h>

enum class SearchOutcome { Found, NotFound, Stopped };

SearchOutcome RunByteSearch(CByteSearch& search, const ByteReadFunction& read, HWND owner);
