// Streams that misreport their size or break partway, as some sources do.
#include "framework/ComPtr.h"
#include "support/NoLeakTest.h"
#include "support/TestStream.h"

#include <gtest/gtest.h>

namespace {

using StreamFaultTest = CNoLeakTest;

TEST_F(StreamFaultTest, StatCanClaimMoreThanTheStreamHolds)
{
    CComPtr<IStream> stream;
    ASSERT_EQ(CreateTestStream(BytesOf("ten bytes!"), {.statSize = 1'000'000}, &stream), S_OK);
    STATSTG stat{};
    ASSERT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.cbSize.QuadPart, 1'000'000u);

    BYTE buffer[64];
    ULONG read = 0;
    EXPECT_EQ(stream->Read(buffer, sizeof buffer, &read), S_OK);
    EXPECT_EQ(read, 10u);
}

TEST_F(StreamFaultTest, ReadsFailFromTheFaultPositionOn)
{
    CComPtr<IStream> stream;
    ASSERT_EQ(CreateTestStream(PatternBytes(10), {.failReadAt = 6, .readError = E_ABORT}, &stream), S_OK);
    BYTE buffer[4];
    ULONG read = 0;
    EXPECT_EQ(stream->Read(buffer, 4, &read), S_OK);
    EXPECT_EQ(read, 4u);
    EXPECT_EQ(stream->Read(buffer, 4, &read), E_ABORT);
    EXPECT_EQ(read, 2u) << "the bytes before the fault still arrive";
    EXPECT_EQ(buffer[1], 5);
    EXPECT_EQ(stream->Read(buffer, 1, nullptr), E_ABORT);

    CComPtr<IStream> clone;
    ASSERT_EQ(stream->Clone(&clone), S_OK);
    ASSERT_EQ(clone->Seek({}, STREAM_SEEK_SET, nullptr), S_OK);
    EXPECT_EQ(StreamBytes(clone), PatternBytes(6)) << "a clone breaks at the same place";
}

TEST_F(StreamFaultTest, DataEndingBeforeTheFaultReadsNormally)
{
    CComPtr<IStream> stream;
    ASSERT_EQ(CreateTestStream(PatternBytes(3), {.failReadAt = 100}, &stream), S_OK);
    BYTE buffer[200];
    ULONG read = 0;
    EXPECT_EQ(stream->Read(buffer, sizeof buffer, &read), S_OK);
    EXPECT_EQ(read, 3u);
}

}
