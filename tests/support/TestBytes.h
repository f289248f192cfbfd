// Byte contents for test media, and reading them back from what a source
// or the platform delivered.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

using CBytes = std::vector<BYTE>;

// The characters as they are, without a terminator.
CBytes BytesOf(std::string_view text);
// UTF-16LE code units, without a terminator.
CBytes BytesOf(std::wstring_view text);
// Reproducible filler whose period (251) lines up with no chunk size, so a
// piece copied to the wrong offset shows.
CBytes PatternBytes(size_t size);
// Writes `value` little-endian over the four bytes at `at`.
void Put32(CBytes& bytes, size_t at, uint32_t value);

// The whole block; empty when the handle cannot be locked.
CBytes GlobalBytes(HGLOBAL global);
// From the current position until a read fails or comes back short, with
// whatever the last read delivered.
CBytes StreamBytes(IStream* stream);
