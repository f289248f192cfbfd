// Little-endian byte images for the layout reader tests, built field by field
// so that each test shows the structure it feeds in.
#pragma once

#include "portable/ByteReaderLayout.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class LeBytes {
public:
    LeBytes& U8(uint8_t value) { m_bytes.push_back(value); return *this; }
    LeBytes& U16(uint16_t value) { return Put(value, 2); }
    LeBytes& U32(uint32_t value) { return Put(value, 4); }
    LeBytes& I32(int32_t value) { return Put(static_cast<uint32_t>(value), 4); }
    LeBytes& U64(uint64_t value) { return Put(value, 8); }
    LeBytes& Zeros(size_t count) { m_bytes.resize(m_bytes.size() + count); return *this; }

    // Code units only: add the terminating NUL explicitly.
    LeBytes& Ansi(std::string_view text)
    {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        return *this;
    }
    LeBytes& Utf16(std::u16string_view text)
    {
        for (char16_t unit : text)
            U16(unit);
        return *this;
    }

    // Overwrites the 32-bit value at `offset`, for offsets known only later.
    LeBytes& SetU32(size_t offset, uint32_t value)
    {
        for (size_t i = 0; i < 4; ++i)
            m_bytes.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
        return *this;
    }

    size_t Size() const { return m_bytes.size(); }
    const std::vector<uint8_t>& Vector() const { return m_bytes; }

    // A fresh copy in a heap block of exactly this size, so that
    // AddressSanitizer reports any read past the end (a vector's spare
    // capacity would hide it). Spans from an earlier conversion go stale.
    operator ByteSpan() const
    {
        m_exact = std::make_shared<uint8_t[]>(m_bytes.size());
        std::copy(m_bytes.begin(), m_bytes.end(), m_exact.get());
        return {m_exact.get(), m_bytes.size()};
    }

private:
    LeBytes& Put(uint64_t value, size_t width)
    {
        for (size_t i = 0; i < width; ++i)
            m_bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
        return *this;
    }

    std::vector<uint8_t> m_bytes;
    mutable std::shared_ptr<uint8_t[]> m_exact;
};
