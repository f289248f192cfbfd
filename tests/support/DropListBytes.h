// The bytes of a drop list (CF_HDROP) for tests.
#pragma once

#include "support/TestBytes.h"

#include <string>
#include <vector>

// A DROPFILES header (paths right after it) and the paths, each with its NUL,
// then the empty path that ends the list unless `closed` is false.
inline CBytes DropList(const std::vector<CBytes>& paths, bool wide, bool closed = true)
{
    CBytes bytes(20, 0);
    Put32(bytes, 0, 20);
    Put32(bytes, 16, wide ? 1 : 0);
    const size_t nul = wide ? 2 : 1;
    for (const CBytes& path : paths) {
        bytes.insert(bytes.end(), path.begin(), path.end());
        bytes.insert(bytes.end(), nul, 0);
    }
    if (closed)
        bytes.insert(bytes.end(), nul, 0);
    return bytes;
}

inline CBytes WidePath(const std::wstring& path)
{
    return BytesOf(path);
}
