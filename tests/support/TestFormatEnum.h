// The enumerator of the formats a test data object offers.
#pragma once

#include <objidl.h>

#include <vector>

// `formats` must carry no target device. One reference for the caller.
HRESULT CreateTestFormatEnum(std::vector<FORMATETC> formats, IEnumFORMATETC** out);
