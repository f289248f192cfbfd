// The answer a byte search must give, by brute force over the whole data:
// the first match starting at or after `from`, or the last one before it.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

inline std::optional<uint64_t> PlainByteScan(const std::vector<uint8_t>& data, const std::vector<uint8_t>& pattern,
                                             uint64_t from, bool forward)
{
    std::optional<uint64_t> found;
    for (uint64_t at = 0; at + pattern.size() <= data.size(); ++at) {
        if (std::memcmp(data.data() + at, pattern.data(), pattern.size()) != 0)
            continue;
        if (forward && at >= from)
            return at;
        if (!forward && at < from)
            found = at;
    }
    return found;
}
