#include "portable/LocaleLayout.h"

std::optional<uint32_t> ReadLocaleId(ByteSpan bytes)
{
    return ReadU32(bytes, 0);
}
