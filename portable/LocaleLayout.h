// The CF_LOCALE format: the locale identifier (LCID) of the text on the
// clipboard, in the first four bytes of its block.
#pragma once

#include "portable/ByteReaderLayout.h"

#include <cstdint>
#include <optional>

// The LCID in `bytes`, or nullopt when they are shorter than four bytes;
// any bytes after it are ignored.
std::optional<uint32_t> ReadLocaleId(ByteSpan bytes);
