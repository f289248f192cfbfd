// Bounds-checked little-endian reads from captured bytes, shared by the layout
// readers. Values are assembled byte by byte, so host byte order and alignment
// do not matter; offsets and lengths are compared without sums or products
// that could wrap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <type_traits>

using ByteSpan = std::span<const uint8_t>;

// True when the `length` bytes at `offset` end at or before `end`.
constexpr bool Fits(uint64_t end, uint64_t offset, uint64_t length)
{
    return offset <= end && length <= end - offset;
}

// True when the `length` bytes at `offset` lie inside `bytes`.
constexpr bool Fits(ByteSpan bytes, uint64_t offset, uint64_t length)
{
    return Fits(uint64_t{bytes.size()}, offset, length);
}

// a * b, or nullopt when the product does not fit in 64 bits.
constexpr std::optional<uint64_t> CheckedMul(uint64_t a, uint64_t b)
{
    if (a != 0 && b > std::numeric_limits<uint64_t>::max() / a)
        return std::nullopt;
    return a * b;
}

// The unsigned little-endian integer at `offset`, or nullopt when its bytes
// are not all there.
template <class T>
constexpr std::optional<T> ReadLE(ByteSpan bytes, uint64_t offset)
{
    static_assert(std::is_unsigned_v<T>);
    if (!Fits(bytes, offset, sizeof(T)))
        return std::nullopt;
    T value = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        value |= static_cast<T>(static_cast<T>(bytes[offset + i]) << (8 * i));
    return value;
}

constexpr std::optional<uint16_t> ReadU16(ByteSpan bytes, uint64_t offset)
{
    return ReadLE<uint16_t>(bytes, offset);
}

constexpr std::optional<uint32_t> ReadU32(ByteSpan bytes, uint64_t offset)
{
    return ReadLE<uint32_t>(bytes, offset);
}

constexpr std::optional<uint64_t> ReadU64(ByteSpan bytes, uint64_t offset)
{
    return ReadLE<uint64_t>(bytes, offset);
}

// Two's complement, as Windows stores LONG and INT.
constexpr std::optional<int32_t> ReadI32(ByteSpan bytes, uint64_t offset)
{
    auto value = ReadU32(bytes, offset);
    if (!value)
        return std::nullopt;
    return static_cast<int32_t>(*value);
}

// A string of 8-bit (char) or UTF-16LE (char16_t) code units starting at
// `offset`: up to the first NUL, at most `maxUnits` units and never past the
// end of `bytes`. `terminated` says whether the NUL was found; `end` is the
// offset just past it (or past the last unit read when there was none).
template <class Char>
struct TerminatedString {
    std::basic_string<Char> text;
    bool terminated = false;
    uint64_t end = 0;
};

template <class Char>
TerminatedString<Char> ReadTerminated(ByteSpan bytes, uint64_t offset, uint64_t maxUnits)
{
    static_assert(std::is_same_v<Char, char> || std::is_same_v<Char, char16_t>);
    TerminatedString<Char> result;
    result.end = offset;
    for (uint64_t i = 0; i < maxUnits; ++i) {
        auto unit = ReadLE<std::make_unsigned_t<Char>>(bytes, result.end);
        if (!unit)
            break;
        result.end += sizeof(Char);
        if (*unit == 0) {
            result.terminated = true;
            break;
        }
        result.text.push_back(static_cast<Char>(*unit));
    }
    return result;
}
