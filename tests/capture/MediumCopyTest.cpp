#include "TestProgress.h"

#include "capture/CBDataCreateContext.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"
#include "support/TestApp.h"
#include "support/TestBytes.h"
#include "support/TestStream.h"

#include <gtest/gtest.h>

namespace {

class MediumCopyTest : public ::testing::Test {
protected:
    void SetUp() override { m_app.ClaimWorkFolder(); }

    static HGLOBAL GlobalOf(const CBytes& bytes)
    {
        const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        if (block && !bytes.empty()) {
            CGlobalLock lock(block);
            std::copy(bytes.begin(), bytes.end(), static_cast<BYTE*>(lock.Get()));
        }
        return block;
    }

    static CComPtr<IStream> StreamOf(const CBytes& bytes, const CStreamFaults& faults = {})
    {
        CComPtr<IStream> stream;
        EXPECT_EQ(CreateTestStream(bytes, faults, &stream), S_OK);
        return stream;
    }

    static CBytes FileBytes(const CCBData& node)
    {
        const std::string bytes = ReadFileBytes(node.m_strTempFile);
        return CBytes(bytes.begin(), bytes.end());
    }

    CTestApp m_app;
    CTestProgress m_progress;
    CCBDataCreateContext m_context{m_app, m_progress};
};

}

TEST_F(MediumCopyTest, MemoryBlocksAreCopiedExactly)
{
    const CBytes bytes = PatternBytes(2 * 1048576 + 17);
    CGlobalHandle block(GlobalOf(bytes));
    auto node = m_context.CaptureGlobal(block);
    EXPECT_TRUE(node->m_arrInfo.empty());
    EXPECT_EQ(node->m_nSize, bytes.size());
    EXPECT_EQ(node->m_strType, L"");
    EXPECT_EQ(FileBytes(*node), bytes);
}

TEST_F(MediumCopyTest, AnEmptyMemoryBlockGivesAnEmptyFileAndNoLine)
{
    CGlobalHandle block(::GlobalAlloc(GMEM_MOVEABLE, 0));
    ASSERT_TRUE(block.IsValid());
    auto node = m_context.CaptureGlobal(block);
    EXPECT_TRUE(node->m_arrInfo.empty());
    EXPECT_EQ(node->m_nSize, 0u);
    ASSERT_FALSE(node->m_strTempFile.empty());
    EXPECT_TRUE(FileExists(node->m_strTempFile));
    EXPECT_TRUE(FileBytes(*node).empty());
}

TEST_F(MediumCopyTest, MissingSourcesGiveTheirLines)
{
    EXPECT_EQ(m_context.CaptureGlobal(nullptr)->m_arrInfo,
              CStringArray{L"エラー\tデータを取得できません（HGLOBAL=NULL）。"});
    EXPECT_EQ(m_context.CaptureStream(nullptr)->m_arrInfo,
              CStringArray{L"エラー\tデータを取得できません（IStream*がNULL）。"});
    auto file = m_context.CaptureFile(nullptr);
    EXPECT_EQ(file->m_arrInfo, CStringArray{L"エラー\tファイルを取り込めません。"});
    EXPECT_EQ(file->m_strType, L"ディスクファイル");
    EXPECT_TRUE(file->m_strTempFile.empty());
}

TEST_F(MediumCopyTest, AStreamOfOneAndAHalfMegabytesIsCopiedExactly)
{
    const CBytes bytes = PatternBytes(1500000);
    CComPtr<IStream> stream = StreamOf(bytes);
    // Not at the start: the copy starts from position 0 all the same.
    LARGE_INTEGER middle{};
    middle.QuadPart = 700;
    stream->Seek(middle, STREAM_SEEK_SET, nullptr);
    auto node = m_context.CaptureStream(stream);
    EXPECT_TRUE(node->m_arrInfo.empty());
    EXPECT_EQ(node->m_strType, L"IStream");
    EXPECT_EQ(node->m_nSize, 1500000u);
    EXPECT_EQ(FileBytes(*node), bytes);
}

TEST_F(MediumCopyTest, AStreamThatFailsOrDeliversLessLeavesNoFile)
{
    for (const CStreamFaults& faults : {CStreamFaults{.failReadAt = 1200000}, CStreamFaults{.statSize = 2000000}}) {
        CComPtr<IStream> stream = StreamOf(PatternBytes(1500000), faults);
        auto node = m_context.CaptureStream(stream);
        EXPECT_EQ(node->m_arrInfo, CStringArray{L"エラー\tストリームを一時ファイルにコピーできません。"});
        EXPECT_TRUE(node->m_strTempFile.empty());
        EXPECT_EQ(node->m_nSize, faults.statSize.value_or(1500000)) << "the announced size stays";
    }
    EXPECT_TRUE(ListFolder(m_app.m_workFolder.m_strWorkDir, L"*.cvtmp").empty()) << "no file left behind";
}

TEST_F(MediumCopyTest, FilesAreCopiedAndUnreadableOnesReported)
{
    const CBytes bytes = PatternBytes(3000);
    const std::wstring path = m_app.m_tempRoot / L"source.bin";
    WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
    auto copied = m_context.CaptureFile(path.c_str());
    EXPECT_TRUE(copied->m_arrInfo.empty());
    EXPECT_EQ(FileBytes(*copied), bytes);

    CFileHandle exclusive(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(exclusive.IsValid());
    auto locked = m_context.CaptureFile(path.c_str());
    EXPECT_EQ(locked->m_arrInfo, CStringArray{L"エラー\tファイルを取り込めません。"});
    auto missing = m_context.CaptureFile((m_app.m_tempRoot / L"missing.bin").c_str());
    EXPECT_EQ(missing->m_arrInfo, CStringArray{L"エラー\tファイルを取り込めません。"});
}

TEST_F(MediumCopyTest, AStopBetweenChunksEndsTheCopyAndLeavesNoFile)
{
    // Asked before each mebibyte: the second asking stops the copy.
    CTestProgress progress(2);
    CCBDataCreateContext context(m_app, progress);
    CGlobalHandle block(GlobalOf(PatternBytes(5 * 1048576)));
    auto node = context.CaptureGlobal(block);
    EXPECT_EQ(progress.m_nPolls, 2u);
    EXPECT_EQ(node->m_arrInfo, CStringArray{L"エラー\t一時ファイルに書き込めません。"});
    EXPECT_TRUE(node->m_strTempFile.empty());
    EXPECT_EQ(node->m_nSize, 5u * 1048576);
    EXPECT_TRUE(ListFolder(m_app.m_workFolder.m_strWorkDir, L"*.cvtmp").empty());
}

TEST_F(MediumCopyTest, ATemporaryFileThatCannotBeCreatedIsReported)
{
    WriteFileBytes(m_app.m_tempRoot / L"plain-file", "x");
    m_app.m_workFolder.m_strWorkDir = m_app.m_tempRoot / L"plain-file\\work";
    CGlobalHandle block(GlobalOf(BytesOf("data")));
    CComPtr<IStream> stream = StreamOf(BytesOf("data"));
    CCBDataArray nodes;
    nodes.push_back(m_context.CaptureGlobal(block));
    nodes.push_back(m_context.CaptureStream(stream));
    for (const auto& node : nodes) {
        EXPECT_EQ(node->m_arrInfo, CStringArray{L"エラー\t一時ファイルに書き込めません。"});
        EXPECT_EQ(node->m_nSize, 4u);
    }
}

TEST_F(MediumCopyTest, TheStopLineNamesTheBudgetOnlyWhenItWasExceeded)
{
    m_app.m_nSubDirSizeLimit = 1;
    m_context.m_nTotal = 1048576;
    EXPECT_EQ(m_context.GetStopMessage(), LoadResString(IDS_STOPPED));
    m_context.m_nTotal = 1048577;
    EXPECT_EQ(m_context.GetStopMessage(), LoadResString(IDS_STOPPED_OVER_BUDGET));
    m_app.m_nSubDirSizeLimit = 0;
    m_context.m_nTotal = 0;
    EXPECT_FALSE(m_context.IsOverBudget());
    m_context.m_nTotal = 1;
    EXPECT_TRUE(m_context.IsOverBudget());
}

TEST_F(MediumCopyTest, AnErrorNodeHoldsOnlyItsLine)
{
    auto node = CCBDataCreateContext::CreateErrorData(L"対応していないタイプです。");
    EXPECT_EQ(node->m_arrInfo, CStringArray{L"エラー\t対応していないタイプです。"});
    EXPECT_EQ(node->m_nIcon, kIconData);
    EXPECT_TRUE(node->m_strTempFile.empty());
}
