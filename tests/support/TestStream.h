// A memory stream handed out as a medium, which can be told to misreport its
// size or to fail partway, as broken sources do, or to deliver slowly.
#pragma once

#include "support/TestBytes.h"

#include <objidl.h>

#include <optional>

struct CStreamFaults {
    // What Stat reports as the size instead of the true one.
    std::optional<ULONGLONG> statSize;
    // Reads fail from this position on; a read that crosses it still
    // delivers the bytes before it. Meant to lie inside the data.
    std::optional<ULONGLONG> failReadAt;
    HRESULT readError = STG_E_READFAULT;
    // Every Read waits this long first, as a source reading a network does.
    DWORD readDelayMs = 0;
};

// A new stream holding `bytes`, positioned at 0; one reference for the caller.
HRESULT CreateTestStream(const CBytes& bytes, const CStreamFaults& faults, IStream** out);
