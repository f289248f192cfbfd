// The locale (CF_LOCALE): an LCID exactly when four bytes are there, taken from them.
#include "FuzzSupport.h"
#include "portable/LocaleLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ByteSpan bytes(data, size);
    const auto lcid = ReadLocaleId(bytes);
    Require(lcid.has_value() == (size >= 4));
    if (lcid)
        Require(*lcid == (data[0] | data[1] << 8 | data[2] << 16 | uint32_t{data[3]} << 24));
    return 0;
}
