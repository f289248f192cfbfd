#include "capture/CBData.h"
#include "capture/CBDataFileDescriptor.h"
#include "framework/GdiPlus.h"
#include "support/NodeTestBase.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using NodeTest = CNodeTestBase;

std::string PngOf(int width, int height, Gdiplus::PixelFormat format, const std::wstring& scratch)
{
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<BYTE> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, size, encoders);
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(encoders[i].MimeType) == L"image/png") {
            Gdiplus::Bitmap bitmap(width, height, format);
            bitmap.Save(scratch.c_str(), &encoders[i].Clsid, nullptr);
            return ReadFileBytes(scratch);
        }
    }
    return {};
}

}

TEST_F(NodeTest, StartsWithTheDocumentedInitialValues)
{
    CCBData node;
    EXPECT_EQ(node.m_fmt.cfFormat, 0);
    EXPECT_EQ(node.m_fmt.ptd, nullptr);
    EXPECT_EQ(node.m_fmt.dwAspect, 0u);
    EXPECT_EQ(node.m_fmt.lindex, -1);
    EXPECT_EQ(node.m_fmt.tymed, 0u);
    EXPECT_EQ(node.m_nIcon, kIconData);
    EXPECT_EQ(node.m_nDefaultTab, kTabHex);
    EXPECT_EQ(node.m_nCodePage, kCodePageNone);
    EXPECT_EQ(node.m_nSize, 0u);
    EXPECT_FALSE(node.m_pChildren);
}

TEST_F(NodeTest, TakeOverMovesChildrenAndFileButKeepsTheReceiversOwnLooks)
{
    auto source = NodeWith("captured");
    const std::wstring file = source->m_strTempFile;
    source->m_fmt.cfFormat = CF_TEXT;
    source->m_tymedActual = TYMED_HGLOBAL;
    source->m_strName = L"name.txt";
    source->m_strDisplayName = L"not taken";
    source->m_nIcon = kIconFolder;
    source->m_arrInfo = {L"エラー\tsource line"};
    source->m_pChildren = std::make_unique<CCBDataArray>();
    auto child = NodeWith("child");
    const std::wstring childFile = child->m_strTempFile;
    source->m_pChildren->push_back(std::move(child));

    CCBData_FileDescriptor receiver;
    receiver.m_arrInfo = {L"名前[0]\tkept"};
    receiver.m_strDisplayName = L"own";
    receiver.TakeOver(std::move(source));

    EXPECT_EQ(receiver.m_strTempFile, file);
    EXPECT_TRUE(FileExists(file)) << "deleting the source must not delete the moved file";
    ASSERT_TRUE(receiver.m_pChildren);
    ASSERT_EQ(receiver.m_pChildren->size(), 1u);
    EXPECT_TRUE(FileExists(childFile));
    EXPECT_EQ(receiver.m_fmt.cfFormat, CF_TEXT);
    EXPECT_EQ(receiver.m_tymedActual, static_cast<DWORD>(TYMED_HGLOBAL));
    EXPECT_EQ(receiver.m_strName, L"name.txt");
    EXPECT_EQ(receiver.m_nSize, 8u);
    EXPECT_EQ(receiver.m_arrInfo, (CStringArray{L"名前[0]\tkept", L"エラー\tsource line"}));
    EXPECT_EQ(receiver.m_strDisplayName, L"own");
    EXPECT_EQ(receiver.m_nIcon, kIconData);
}

TEST_F(NodeTest, DeletingASnapshotRemovesEveryTemporaryFileAtEveryDepth)
{
    std::vector<std::wstring> files;
    auto snapshot = std::make_unique<CCBDataArray>();
    CCBDataArray* level = snapshot.get();
    for (int depth = 0; depth < 4; ++depth) {
        auto node = NodeWith("depth " + std::to_string(depth));
        files.push_back(node->m_strTempFile);
        level->push_back(NodeWith("sibling"));
        files.push_back(level->back()->m_strTempFile);
        node->m_pChildren = std::make_unique<CCBDataArray>();
        CCBDataArray* next = node->m_pChildren.get();
        level->push_back(std::move(node));
        level = next;
    }
    for (const auto& file : files)
        ASSERT_TRUE(FileExists(file));

    snapshot.reset();
    for (const auto& file : files)
        EXPECT_FALSE(FileExists(file)) << "left behind";
}

TEST_F(NodeTest, LoadDataGivesTheBytesOrSaysWhyNotAndTellsTheUserNothing)
{
    using LoadResult = CCBData::LoadResult;
    const std::string bytes("\x00\x01\xFFtext\r\n", 8);
    const struct {
        const char* name;
        std::string file;        // the temporary file's bytes; none without a file
        uint64_t size;           // what the node says it holds
        bool missing;            // the file is named but gone
        LoadResult result;
    } cases[] = {
        {"the whole file", bytes, bytes.size(), false, LoadResult::Loaded},
        {"no file", "", 10, false, LoadResult::NoData},
        {"an empty file", "", 0, false, LoadResult::NoData},
        {"a file that is gone", bytes, bytes.size(), true, LoadResult::CannotOpen},
        {"a file shorter than the node", "short", 100, false, LoadResult::CannotRead},
        {"more than memory holds", "short", 1ull << 60, false, LoadResult::NoMemory},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto node = c.file.empty() && c.size ? std::make_unique<CCBData>() : NodeWith(c.file);
        node->m_nSize = c.size;
        if (c.missing)
            ::DeleteFileW(node->m_strTempFile.c_str());
        auto result = static_cast<LoadResult>(-1);
        const auto loaded = node->LoadData(&result);
        EXPECT_EQ(result, c.result);
        if (c.result == LoadResult::Loaded)
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(loaded.get()), bytes.size()), bytes);
        else
            EXPECT_EQ(loaded, nullptr) << "bytes that were never read are not handed out";
    }
    EXPECT_TRUE(m_app.m_messages.empty());
}

TEST_F(NodeTest, CreateImageReadsAPngFile)
{
    const std::string png = PngOf(7, 5, PixelFormat24bppRGB, m_app.m_tempRoot / L"scratch.png");
    ASSERT_FALSE(png.empty());
    auto node = NodeWith(png);
    int width = -1, height = -1, depth = -1;
    CImagePtr image = node->CreateImage(width, height, depth);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(width, 7);
    EXPECT_EQ(height, 5);
    EXPECT_EQ(depth, 24);
}

TEST_F(NodeTest, CreateImageOfGarbageOrNothingReportsZeros)
{
    auto garbage = NodeWith(std::string(300, '\x5A'));
    int width = -1, height = -1, depth = -1;
    CImagePtr image = garbage->CreateImage(width, height, depth);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    EXPECT_EQ(depth, 0);

    CCBData empty;
    width = height = depth = -1;
    EXPECT_EQ(empty.CreateImage(width, height, depth), nullptr);
    EXPECT_EQ(width + height + depth, 0);
}
