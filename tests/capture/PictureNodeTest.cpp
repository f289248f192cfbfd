#include "capture/CBDataGdi.h"
#include "capture/CBDataImageBytes.h"
#include "framework/GdiPlus.h"
#include "support/NodeTestBase.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

using PictureNodeTest = CNodeTestBase;

struct Size3 {
    int width = -1, height = -1, depth = -1;
};

template <class T>
void Put(std::string& bytes, size_t offset, T value)
{
    if (bytes.size() < offset + sizeof(T))
        bytes.resize(offset + sizeof(T));
    std::memcpy(bytes.data() + offset, &value, sizeof(T));
}

std::string DibHeader(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression, uint32_t used = 0)
{
    std::string bytes(40, '\0');
    Put<uint32_t>(bytes, 0, 40);
    Put<int32_t>(bytes, 4, width);
    Put<int32_t>(bytes, 8, height);
    Put<uint16_t>(bytes, 12, 1);
    Put<uint16_t>(bytes, 14, bitCount);
    Put<uint32_t>(bytes, 16, compression);
    Put<uint32_t>(bytes, 32, used);
    return bytes;
}

// cx by cy pixels after a header of `header` bytes; row r (as stored) has blue r.
std::string DragImage(int32_t cx, int32_t cy, size_t header, size_t extra = 0)
{
    std::string bytes(header, '\0');
    Put<int32_t>(bytes, 0, cx);
    Put<int32_t>(bytes, 4, cy);
    for (int32_t row = 0; row < cy; ++row)
        for (int32_t x = 0; x < cx; ++x)
            bytes += std::string{static_cast<char>(row * 40), 0, 0, static_cast<char>(0xFF)};
    bytes.append(extra, '\0');
    return bytes;
}

Gdiplus::Color PixelOf(Gdiplus::Image& image, int x, int y)
{
    Gdiplus::Color color;
    static_cast<Gdiplus::Bitmap&>(image).GetPixel(x, y, &color);
    return color;
}

}

TEST_F(PictureNodeTest, ABitmapIsCopiedWithItsPaletteAndKeepsItsCaptureSize)
{
    const HBITMAP original = CreateTestBitmap(7, 5, RGB(0, 128, 255));
    struct {
        LOGPALETTE header;
        PALETTEENTRY more[1];
    } palette{{0x300, 2, {{255, 0, 0, 0}}}, {{0, 0, 255, 0}}};
    const HPALETTE originalPalette = ::CreatePalette(&palette.header);
    CCBData_HBITMAP node(original, originalPalette);
    ::DeleteObject(original);
    ::DeleteObject(originalPalette);

    ASSERT_TRUE(node.m_hBitmap.IsValid()) << "the node holds its own copy";
    ASSERT_TRUE(node.m_hPalette.IsValid());
    EXPECT_EQ(::GetObjectType(node.m_hPalette), static_cast<DWORD>(OBJ_PAL));
    EXPECT_EQ(node.m_nIcon, kIconPicture);
    EXPECT_EQ(node.m_nDefaultTab, kTabImage);
    EXPECT_TRUE(node.m_strTempFile.empty());
    Size3 size;
    CImagePtr image = node.CreateImage(size.width, size.height, size.depth);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(size.width, 7);
    EXPECT_EQ(size.height, 5);
    EXPECT_EQ(size.depth, 32);
    EXPECT_EQ(image->GetWidth(), 7u);
}

TEST_F(PictureNodeTest, NullHandlesGiveNoPictureAndNoCopies)
{
    CCBData_HBITMAP bitmap(nullptr, nullptr);
    CCBData_HENHMF enhanced(nullptr);
    CCBData_HMETAFILEPICT picture(nullptr, m_app);
    EXPECT_FALSE(bitmap.m_hBitmap.IsValid());
    for (CCBData* node : std::initializer_list<CCBData*>{&bitmap, &enhanced, &picture}) {
        Size3 size;
        EXPECT_EQ(node->CreateImage(size.width, size.height, size.depth), nullptr);
        EXPECT_EQ(size.width + size.height + size.depth, 0);
        EXPECT_TRUE(node->m_arrInfo.empty());
        EXPECT_TRUE(node->m_strTempFile.empty());
    }
}

TEST_F(PictureNodeTest, AnEnhancedMetafileIsCopiedAndReportsItsOwnSize)
{
    const HENHMETAFILE original = CreateTestEnhMetafile(RECT{0, 0, 2000, 1000});
    CCBData_HENHMF node(original);
    ::DeleteEnhMetaFile(original);
    ASSERT_TRUE(node.m_hEnhMetaFile.IsValid());
    EXPECT_EQ(node.m_nSize, 0u);
    Size3 size;
    CImagePtr image = node.CreateImage(size.width, size.height, size.depth);
    ASSERT_NE(image, nullptr);
    EXPECT_GT(size.width, 0);
    EXPECT_GT(size.height, 0);
    EXPECT_EQ(size.depth, 0);
}

TEST_F(PictureNodeTest, AMetafilePictureKeepsItsBlockInTheTemporaryFile)
{
    CGlobalHandle original(CreateTestMetafilePict(3000, 1500));
    CCBData_HMETAFILEPICT node(original, m_app);
    ASSERT_TRUE(node.m_hMetaFile.IsValid());
    ASSERT_FALSE(node.m_strTempFile.empty());
    const std::string file = ReadFileBytes(node.m_strTempFile);
    ASSERT_EQ(file.size(), node.m_nSize);
    ASSERT_GE(file.size(), sizeof(METAFILEPICT));
    METAFILEPICT stored;
    std::memcpy(&stored, file.data(), sizeof(stored));
    EXPECT_EQ(stored.mm, MM_ANISOTROPIC);
    EXPECT_EQ(stored.xExt, 3000);
    EXPECT_EQ(stored.yExt, 1500);
    EXPECT_EQ(stored.hMF, node.m_hMetaFile.Get()) << "the handle value of the node's own copy";
    Size3 size;
    EXPECT_NE(node.CreateImage(size.width, size.height, size.depth), nullptr);
    EXPECT_EQ(size.depth, 0);
}

TEST_F(PictureNodeTest, SixteenBitBitFieldsStartTwelveBytesAfterTheHeader)
{
    std::string bytes = DibHeader(2, 1, 16, BI_BITFIELDS);
    Put<uint32_t>(bytes, 40, 0xF800);  // red
    Put<uint32_t>(bytes, 44, 0x07E0);  // green
    Put<uint32_t>(bytes, 48, 0x001F);  // blue
    Put<uint16_t>(bytes, 52, 0xF800);
    Put<uint16_t>(bytes, 54, 0x001F);
    auto node = NodeWith<CCBData_DIB>(bytes);
    Size3 size;
    CImagePtr image = node->CreateImage(size.width, size.height, size.depth);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(size.width, 2);
    EXPECT_EQ(size.height, 1);
    EXPECT_EQ(size.depth, 16);
    EXPECT_GT(PixelOf(*image, 0, 0).GetRed(), 200);
    EXPECT_LT(PixelOf(*image, 0, 0).GetBlue(), 50);
    EXPECT_GT(PixelOf(*image, 1, 0).GetBlue(), 200);
}

TEST_F(PictureNodeTest, ADibIsLoadedOnceAndKept)
{
    std::string bytes = DibHeader(1, 1, 24, BI_RGB);
    bytes += std::string("\x00\x00\xFF\x00", 4);
    auto node = NodeWith<CCBData_DIB>(bytes);
    Size3 size;
    EXPECT_NE(node->CreateImage(size.width, size.height, size.depth), nullptr);
    WriteFileBytes(node->m_strTempFile, std::string(bytes.size(), '\0'));
    CImagePtr second = node->CreateImage(size.width, size.height, size.depth);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(size.width, 1) << "the second picture comes from the kept bytes, not the file";
    EXPECT_GT(PixelOf(*second, 0, 0).GetRed(), 200);
}

TEST_F(PictureNodeTest, DibsThatDoNotFitTheirBytesGiveNoPicture)
{
    const std::string header = DibHeader(4, 4, 32, BI_RGB);
    for (const std::string& bytes : {header.substr(0, 39), header, header + std::string(63, '\0'),
                                     DibHeader(0x7FFFFFFF, 0x7FFFFFFF, 32, BI_RGB) + std::string(64, '\0'),
                                     DibHeader(4, INT32_MIN, 32, BI_RGB) + std::string(64, '\0'),
                                     DibHeader(2, 2, 8, BI_RGB, 0xFFFFFFFF) + std::string(64, '\0')}) {
        auto node = NodeWith<CCBData_DIB>(bytes);
        Size3 size;
        EXPECT_EQ(node->CreateImage(size.width, size.height, size.depth), nullptr) << bytes.size();
        EXPECT_EQ(size.width + size.height + size.depth, 0);
    }
}

TEST_F(PictureNodeTest, DragImageHeaderLengthIsChosenByTheSize)
{
    // b = 2 * 2 * 4 = 16 pixel bytes.
    auto tooShort = NodeWith<CCBData_DragImageBits>(DragImage(2, 2, 24).substr(0, 16 + 23));
    Size3 size;
    EXPECT_EQ(tooShort->CreateImage(size.width, size.height, size.depth), nullptr);

    auto shortHeader = NodeWith<CCBData_DragImageBits>(DragImage(2, 2, 24));
    CImagePtr image = shortHeader->CreateImage(size.width, size.height, size.depth);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(size.width, 2);
    EXPECT_EQ(size.height, 2);
    EXPECT_EQ(size.depth, 32);
    // Rows are stored bottom-up: the last stored row is shown on top.
    EXPECT_EQ(PixelOf(*image, 0, 0).GetBlue(), 40);
    EXPECT_EQ(PixelOf(*image, 0, 1).GetBlue(), 0);

    auto longHeader = NodeWith<CCBData_DragImageBits>(DragImage(2, 2, 32));
    image = longHeader->CreateImage(size.width, size.height, size.depth);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(PixelOf(*image, 1, 0).GetBlue(), 40);
    EXPECT_EQ(PixelOf(*image, 1, 1).GetBlue(), 0);
}

TEST_F(PictureNodeTest, HostileDragImagesAndRandomBytesNeverCrash)
{
    for (auto [cx, cy] : {std::pair{-1, 2}, {2, -1}, {0x7FFFFFFF, 0x7FFFFFFF}, {INT32_MIN, INT32_MIN}}) {
        auto node = NodeWith<CCBData_DragImageBits>(DragImage(1, 1, 32, 64).replace(0, 8, [&] {
            std::string header;
            Put<int32_t>(header, 0, cx);
            Put<int32_t>(header, 4, cy);
            return header;
        }()));
        Size3 size;
        EXPECT_EQ(node->CreateImage(size.width, size.height, size.depth), nullptr);
    }
    std::mt19937 random(1234);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(random() % 200, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        if (bytes.size() >= 4)
            Put<uint32_t>(bytes, 0, 40);
        Size3 size;
        NodeWith<CCBData_DIB>(bytes)->CreateImage(size.width, size.height, size.depth);
        NodeWith<CCBData_DragImageBits>(bytes)->CreateImage(size.width, size.height, size.depth);
    }
}
