#include "capture/CBDataGdi.h"
#include "capture/CBDataImageBytes.h"
#include "framework/PropertySheet.h"
#include "res/resource.h"
#include "support/HostWindow.h"
#include "support/NodeTestBase.h"
#include "support/TestPictures.h"
#include "viewers/ImageViewDialog.h"
#include "res/strings/capture.h"

#include <cstring>
#include <functional>
#include <regex>
#include <utility>
#include <vector>

namespace {

constexpr COLORREF kBackground = RGB(0xEE, 0xF2, 0xFA);
// The colour of every test picture.
constexpr BYTE kR = 0xCC, kG = 0x33, kB = 0x66;
constexpr COLORREF kColour = RGB(kR, kG, kB);

template <class T>
void Put(std::string& bytes, size_t offset, T value)
{
    if (bytes.size() < offset + sizeof(T))
        bytes.resize(offset + sizeof(T));
    std::memcpy(bytes.data() + offset, &value, sizeof(T));
}

// A CF_DIBV5 of 2 × 1 pixels with alpha: the left one transparent, the right one opaque.
std::string DibV5WithAlpha()
{
    std::string bytes(124 + 12, '\0');  // the header, then the three masks the layout skips
    Put<uint32_t>(bytes, 0, 124);
    Put<int32_t>(bytes, 4, 2);
    Put<int32_t>(bytes, 8, 1);
    Put<uint16_t>(bytes, 12, 1);
    Put<uint16_t>(bytes, 14, 32);
    Put<uint32_t>(bytes, 16, BI_BITFIELDS);
    for (auto [offset, mask] : {std::pair{40, 0x00FF0000u}, {44, 0x0000FF00u}, {48, 0x000000FFu}, {52, 0xFF000000u}})
        Put<uint32_t>(bytes, offset, mask);
    return bytes + std::string(4, '\0') + std::string{char(kB), char(kG), char(kR), char(0xFF)};
}

// 2 × 2 premultiplied pixels after a 32-byte header; the top-left one is transparent.
std::string DragImage()
{
    std::string bytes(32, '\0');
    Put<int32_t>(bytes, 0, 2);
    Put<int32_t>(bytes, 4, 2);
    const std::string opaque{char(kB), char(kG), char(kR), char(0xFF)};
    return bytes + opaque + opaque + std::string(4, '\0') + opaque;  // stored bottom-up
}

// A 7 × 5 bitmap node; the node keeps a copy of the handle.
std::unique_ptr<CCBData> Bitmap()
{
    const CBitmapHandle bitmap(CreateTestBitmap(7, 5, kColour));
    return std::make_unique<CCBData_HBITMAP>(bitmap, nullptr);
}

// The page for a node, made by a sheet over a host window, then laid out at
// 600 × 400. Members go in reverse: the sheet while its page still exists.
struct CShownPage {
    explicit CShownPage(CCBData* node) : page(node)
    {
        EXPECT_TRUE(CreateHostWindow(host, RECT{0, 0, 700, 500}));
        sheet.AddPage(&page);
        EXPECT_TRUE(sheet.Create(host));
        ::MoveWindow(page, 0, 0, 600, 400, TRUE);
        ::UpdateWindow(host);
    }

    COLORREF PixelAt(int x, int y) const
    {
        const CClientDC dc(page.m_imgWnd);
        return ::GetPixel(dc, x, y);
    }

    CImageViewDialog page;
    CWnd host;
    CPropertySheet sheet;
};

using ImageViewDialogTest = CNodeTestBase;

}


TEST_F(ImageViewDialogTest, ThePictureWindowTakesThePlaceholdersCornerAndReachesThePagesEdges)
{
    CShownPage shown(nullptr);
    const CImageViewDialog& page = shown.page;
    RECT placeholder, window;
    ::GetWindowRect(page.m_frame, &placeholder);
    ::GetWindowRect(page.m_imgWnd, &window);
    EXPECT_FALSE(::IsWindowVisible(page.m_frame));
    EXPECT_EQ(window.left, placeholder.left);
    EXPECT_EQ(window.top, placeholder.top);
    POINT corner{600, 400};
    ::ClientToScreen(page, &corner);
    EXPECT_EQ(window.right, corner.x);
    EXPECT_EQ(window.bottom, corner.y);
    EXPECT_EQ(::GetDlgCtrlID(page.m_imgWnd), IDC_IMAGE_WINDOW);
}

TEST_F(ImageViewDialogTest, EveryKindOfPictureShowsItsLabelAndItsPixels)
{
    struct Case {
        const char* name;
        std::function<std::unique_ptr<CCBData>()> node;
        const wchar_t* label;  // a pattern
        POINT pixel;           // in the window, with the colour expected there
        COLORREF colour;
    };
    const std::vector<Case> cases = {
        {"DIB", [&] { return NodeWith<CCBData_DIB>(CreateTestDib(640, 480, kColour)); },
         L"640×480  24ビット/ピクセル", {300, 200}, kColour},
        {"DIBV5, transparent pixel", [&] { return NodeWith<CCBData_DIB>(DibV5WithAlpha()); },
         L"2×1  32ビット/ピクセル", {5, 5}, kBackground},
        {"DIBV5, opaque pixel", [&] { return NodeWith<CCBData_DIB>(DibV5WithAlpha()); },
         L"2×1  32ビット/ピクセル", {6, 5}, kColour},
        {"bitmap", [] { return Bitmap(); }, L"7×5  32ビット/ピクセル", {8, 8}, kColour},
        {"metafile picture",
         [&] {
             const CGlobalHandle block(CreateTestMetafilePict(3000, 1500));
             return std::make_unique<CCBData_HMETAFILEPICT>(block, m_app);
         },
         L"[0-9]+×[0-9]+", {20, 20}, RGB(255, 255, 255)},
        {"enhanced metafile",
         [] {
             const CEnhMetaFileHandle metafile(CreateTestEnhMetafile({0, 0, 2000, 1000}));
             return std::make_unique<CCBData_HENHMF>(metafile);
         },
         L"[0-9]+×[0-9]+", {20, 20}, RGB(255, 255, 255)},
        {"enhanced metafile, beyond its frame",
         [] {
             // A 20 × 10 mm frame, about 75 × 37 pixels, around a rectangle of 100 × 100.
             const CEnhMetaFileHandle metafile(CreateTestEnhMetafile({0, 0, 2000, 1000}));
             return std::make_unique<CCBData_HENHMF>(metafile);
         },
         L"[0-9]+×[0-9]+", {20, 60}, kBackground},
        {"drag image, transparent pixel", [&] { return NodeWith<CCBData_DragImageBits>(DragImage()); },
         L"2×2  32ビット/ピクセル", {5, 5}, kBackground},
        {"drag image, opaque pixel", [&] { return NodeWith<CCBData_DragImageBits>(DragImage()); },
         L"2×2  32ビット/ピクセル", {6, 6}, kColour},
        {"PNG", [&] { return NodeWith(CreateTestPictureFile(L"image/png", 3, 3, kColour)); },
         L"3×3  [0-9]+ビット/ピクセル", {6, 6}, kColour},
        {"no bytes", [] { return std::make_unique<CCBData>(); }, L"", {5, 5}, kBackground},
        {"undecodable", [&] { return NodeWith("no picture at all"); }, L"", {5, 5}, kBackground},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<CCBData> node = c.node();
        const CShownPage shown(node.get());
        const std::wstring label = shown.page.m_label.GetWindowText();
        EXPECT_TRUE(std::regex_match(label, std::wregex(c.label))) << label.size();
        const COLORREF pixel = shown.PixelAt(c.pixel.x, c.pixel.y);
        EXPECT_EQ(pixel, c.colour) << std::hex << pixel;
    }
}

TEST_F(ImageViewDialogTest, APictureWhoseFileFellShortIsToldOfEachTimeItIsAskedFor)
{
    auto node = NodeWith<CCBData_DIB>(CreateTestDib(4, 4, kColour));
    node->m_nSize += 1;
    for (int shown = 1; shown <= 2; ++shown) {
        const CShownPage page(node.get());
        EXPECT_EQ(page.page.m_label.GetWindowText(), L"");
        EXPECT_EQ(m_app.m_messages, std::vector<std::wstring>(shown, LoadResString(IDS_CANNOT_READ_TEMP_FILE)));
    }
    EXPECT_EQ(m_app.m_messageTypes, std::vector<UINT>(2, MB_OK));

    auto whole = NodeWith<CCBData_DIB>(CreateTestDib(4, 4, kColour));
    const CShownPage page(whole.get());
    EXPECT_EQ(m_app.m_messages.size(), 2u) << "a picture read whole says nothing";
}
