// A check of a format whose blocks are small by nature (a header, a list of
// names, a number): it keeps the bytes up to a limit and checks them at the
// end. What lies past the limit is counted, never kept.
#pragma once

#include "portable/FormatCheck.h"

#include <cstdint>
#include <vector>

class CBufferedCheck : public CFormatCheck {
public:
    static constexpr uint64_t kDefaultLimit = uint64_t{64} << 20;

    explicit CBufferedCheck(uint64_t limit = kDefaultLimit) : m_nLimit(limit) {}

    void Consume(ByteSpan piece) override
    {
        const uint64_t room = m_nLimit - m_held.size();
        const size_t kept = piece.size() < room ? piece.size() : static_cast<size_t>(room);
        m_held.insert(m_held.end(), piece.begin(), piece.begin() + kept);
        m_nTotal += piece.size();
    }

    FindingList Finish() override
    {
        FindingList findings;
        Check(m_held, m_nTotal, findings);
        return findings;
    }

protected:
    // `held` is the block's first bytes, all of it when `total` equals its size.
    virtual void Check(ByteSpan held, uint64_t total, FindingList& findings) = 0;

private:
    uint64_t m_nLimit;
    std::vector<uint8_t> m_held;
    uint64_t m_nTotal = 0;
};
