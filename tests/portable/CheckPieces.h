// The findings of a check fed whole, and proof that cutting the bytes into
// small pieces changes nothing.
#pragma once

#include "portable/FormatCheck.h"

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const Finding& f, std::ostream* os)
{
    *os << f.id << "/" << f.variant << " sev " << static_cast<int>(f.severity) << " at "
        << (f.offset ? std::to_string(*f.offset) : "-") << "+" << f.length << " [";
    for (const std::string& value : f.values)
        *os << value << ";";
    *os << "]";
}

inline FindingList CheckInPieces(CheckKind kind, ByteSpan bytes, const CheckContext& context = {})
{
    const FindingList whole = CheckBytes(kind, bytes, context);
    for (size_t piece : {1, 7})
        EXPECT_EQ(CheckBytes(kind, bytes, context, piece), whole) << "in pieces of " << piece;
    return whole;
}
