// The bytes of a wide file group descriptor for the capture tests.
#pragma once

#include "support/TestBytes.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// One descriptor per name, under a count that may lie about them.
inline CBytes FileGroupW(const std::vector<std::wstring>& names, uint32_t count)
{
    CBytes bytes(4 + names.size() * 592);
    std::memcpy(bytes.data(), &count, 4);
    for (size_t i = 0; i < names.size(); ++i)
        std::memcpy(bytes.data() + 4 + i * 592 + 72, names[i].c_str(), names[i].size() * 2);
    return bytes;
}
