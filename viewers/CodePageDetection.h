// Detection of a node's code page with the process's own tables: the lead
// and trail bytes of the ANSI code page, and what code page 932 can hold.
#pragma once

#include "portable/TextDetect.h"

// Built once from the ANSI code page; trail bytes are those that follow at
// least one lead byte to make a character.
const DbcsTable& AnsiDbcsTable();
// True when the double-byte characters of `bytes` include one that code page 932 has not.
bool HasNonCp932Chars(ByteSpan bytes);
// The code page of bytes whose format names none.
int DetectNodeCodePage(ByteSpan bytes);
