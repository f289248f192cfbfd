#include "portable/ByteSearch.h"
#include "PlainByteScan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

using Patterns = std::vector<BytePattern>;

struct Result {
    CByteSearch::State state;
    uint64_t offset;
    uint64_t length;
    int steps;
};

Result RunSearch(CByteSearch search, const ByteReadFunction& read)
{
    int steps = 0;
    while (search.Step(read) == CByteSearch::State::Searching)
        ++steps;
    return {search.GetState(), search.GetMatch().offset, search.GetMatch().length, steps + 1};
}

ByteReadFunction Reader(const std::vector<uint8_t>& data)
{
    return [&data](uint64_t offset, uint32_t count, uint8_t* buffer) -> uint32_t {
        if (offset >= data.size())
            return 0;
        const size_t n = std::min<size_t>(count, data.size() - offset);
        std::memcpy(buffer, data.data() + offset, n);
        return static_cast<uint32_t>(n);
    };
}

}  // namespace

TEST(ByteSearch, ParsesHexPatterns)
{
    struct Case {
        const wchar_t* text;
        std::optional<BytePattern> bytes;
    };
    const Case cases[] = {
        {L"4D 5A 90", BytePattern{0x4D, 0x5A, 0x90}},
        {L"4d5a90", BytePattern{0x4D, 0x5A, 0x90}},
        {L"  ff\t00  ", BytePattern{0xFF, 0x00}},
        {L"4D\x3000" L"5A", BytePattern{0x4D, 0x5A}},
        {L"4D 5", std::nullopt},
        {L"4 D", std::nullopt},
        {L"4G", std::nullopt},
        {L"0x4D", std::nullopt},
        {L"", std::nullopt},
        {L"   ", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseHexPattern(c.text), c.bytes) << static_cast<int>(c.text[0]);
}

TEST(ByteSearch, AgreesWithBruteForceAcrossChunkBoundaries)
{
    std::mt19937 random(15);
    std::vector<uint8_t> data(3000);
    // Few distinct values, so that patterns occur often and straddle boundaries.
    for (uint8_t& b : data)
        b = static_cast<uint8_t>(random() % 4);
    for (uint32_t chunk : {1u, 2u, 3u, 7u, 64u, 1000u, 4096u}) {
        for (int trial = 0; trial < 40; ++trial) {
            const size_t length = 1 + random() % 6;
            const size_t at = random() % (data.size() - length);
            const BytePattern pattern(data.begin() + at, data.begin() + at + length);
            const uint64_t from = random() % (data.size() + 1);
            for (bool forward : {true, false}) {
                const Result r = RunSearch(CByteSearch({pattern}, data.size(), from, forward, chunk), Reader(data));
                const auto expected = PlainByteScan(data, pattern, from, forward);
                ASSERT_EQ(r.state == CByteSearch::State::Found, expected.has_value())
                    << "chunk " << chunk << " from " << from << " forward " << forward;
                if (expected)
                    ASSERT_EQ(r.offset, *expected) << "chunk " << chunk << " from " << from << " forward " << forward;
            }
        }
    }
}

TEST(ByteSearch, FindsTheNearestOfSeveralPatternsAndPrefersTheLongest)
{
    const std::vector<uint8_t> data = {'x', 'a', 'b', 'c', 0, 'a', 0, 'b', 0, 'a', 'b'};
    const Patterns patterns = {{'a', 'b'}, {'a', 0, 'b', 0}, {'a', 'b', 'c'}};
    struct Case {
        uint64_t from;
        bool forward;
        uint64_t offset;
        uint64_t length;
    };
    const Case cases[] = {{0, true, 1, 3}, {2, true, 5, 4}, {6, true, 9, 2}, {11, false, 9, 2}, {9, false, 5, 4},
                          {5, false, 1, 3}};
    for (const Case& c : cases) {
        const Result r = RunSearch(CByteSearch(patterns, data.size(), c.from, c.forward, 3), Reader(data));
        ASSERT_EQ(r.state, CByteSearch::State::Found) << c.from;
        EXPECT_EQ(r.offset, c.offset) << c.from;
        EXPECT_EQ(r.length, c.length) << c.from;
    }
}

TEST(ByteSearch, ReportsNothingFound)
{
    const std::vector<uint8_t> data = {1, 2, 3, 4, 5};
    EXPECT_EQ(RunSearch(CByteSearch({{3, 5}}, 5, 0, true, 2), Reader(data)).state, CByteSearch::State::NotFound);
    EXPECT_EQ(RunSearch(CByteSearch({{4, 5}}, 5, 3, false, 2), Reader(data)).state, CByteSearch::State::NotFound);
    EXPECT_EQ(RunSearch(CByteSearch({{1}}, 5, 1, true), Reader(data)).state, CByteSearch::State::NotFound);
    EXPECT_EQ(RunSearch(CByteSearch({}, 5, 0, true), Reader(data)).state, CByteSearch::State::NotFound);
    EXPECT_EQ(RunSearch(CByteSearch({{}}, 5, 0, true), Reader(data)).state, CByteSearch::State::NotFound);
    EXPECT_EQ(RunSearch(CByteSearch({{1}}, 0, 0, true), Reader(data)).state, CByteSearch::State::NotFound);
}

TEST(ByteSearch, StopsForwardWhereTheDataCannotBeRead)
{
    std::vector<uint8_t> data(100, 0);
    data[90] = 7;
    // Only the first 50 bytes can be read.
    const ByteReadFunction shortRead = [&](uint64_t offset, uint32_t count, uint8_t* buffer) -> uint32_t {
        if (offset >= 50)
            return 0;
        const uint32_t n = std::min<uint32_t>(count, static_cast<uint32_t>(50 - offset));
        std::memcpy(buffer, data.data() + offset, n);
        return n;
    };
    EXPECT_EQ(RunSearch(CByteSearch({{7}}, 100, 0, true, 16), shortRead).state, CByteSearch::State::NotFound);
    data[10] = 7;
    const Result back = RunSearch(CByteSearch({{7}}, 100, 100, false, 16), shortRead);
    EXPECT_EQ(back.state, CByteSearch::State::Found);
    EXPECT_EQ(back.offset, 10u);
}

TEST(ByteSearch, SearchesEightGibibytesNearTheEndInChunks)
{
    constexpr uint64_t kSize = 8ull << 30;
    constexpr uint64_t kMarker = kSize - 5000;
    const BytePattern marker = {0x4D, 0x5A, 0x90};
    uint64_t largestRead = 0;
    const ByteReadFunction source = [&](uint64_t offset, uint32_t count, uint8_t* buffer) -> uint32_t {
        largestRead = std::max<uint64_t>(largestRead, count);
        for (uint32_t i = 0; i < count; ++i) {
            const uint64_t at = offset + i;
            buffer[i] = at >= kMarker && at < kMarker + 3 ? marker[at - kMarker] : static_cast<uint8_t>(at % 251);
        }
        return count;
    };
    const Result next = RunSearch(CByteSearch({marker}, kSize, kSize - (3 << 20), true), source);
    EXPECT_EQ(next.state, CByteSearch::State::Found);
    EXPECT_EQ(next.offset, kMarker);
    EXPECT_EQ(next.steps, 3);
    const Result previous = RunSearch(CByteSearch({marker}, kSize, kSize, false), source);
    EXPECT_EQ(previous.offset, kMarker);
    EXPECT_LE(largestRead, (1u << 20) + 2);
    EXPECT_EQ(RunSearch(CByteSearch({marker}, kSize, kMarker + 1, true), source).state, CByteSearch::State::NotFound);
}
