// What the HEX page's find box asks for, and the byte patterns it stands for.
#pragma once

#include "portable/ByteSearch.h"

#include <string>
#include <vector>

struct CHexFindRequest {
    std::wstring text;
    bool asHex = true;
    bool forward = true;
};

// Hex: the bytes written. Text: its bytes in the ANSI code page (when every
// character has one), UTF-8 and UTF-16LE, each once. Empty when the hex is
// malformed or there is no text.
std::vector<BytePattern> FindPatterns(const CHexFindRequest& request);
