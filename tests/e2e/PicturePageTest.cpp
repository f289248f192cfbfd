// Pictures pasted and dropped into a running Plexa.exe: the image page of
// each node shows its size line, and its pixels reach the screen.
#include "MouseDrag.h"
#include "PlexaSession.h"
#include "SampleSources.h"
#include "TreeExpectations.h"
#include "UserInput.h"
#include "res/resource.h"
#include "support/TestPictures.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace {

struct CPictureSample {
    const wchar_t* label;  // the node's text in the tree
    const wchar_t* info;   // the page's size line
    COLORREF colour;       // of every pixel; no two samples share one
};

// The picture's top-left pixel lies 5 pixels from the window's corner.
constexpr POINT kInsidePicture{7, 7};
constexpr POINT kDragStart{1200, 980};

CLIPFORMAT Registered(const wchar_t* name)
{
    return static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(name));
}

CBytes BytesOfString(const std::string& bytes)
{
    return BytesOf(std::string_view(bytes));
}

// A shell drag image: a 32-byte header, then premultiplied rows stored bottom-up.
CBytes DragImageBits(int cx, int cy, COLORREF colour)
{
    std::string bytes(32, '\0');
    std::memcpy(bytes.data(), &cx, sizeof(cx));
    std::memcpy(bytes.data() + 4, &cy, sizeof(cy));
    const std::string pixel{char(GetBValue(colour)), char(GetGValue(colour)), char(GetRValue(colour)), char(0xFF)};
    for (int i = 0; i < cx * cy; ++i)
        bytes += pixel;
    return BytesOfString(bytes);
}

COLORREF ScreenPixel(POINT point)
{
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, point.x, point.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

// Selects each sample's node and checks what the image page shows. Painting
// happens in Plexa's own time, so the pixel is awaited, not read once.
void ExpectPicturesShown(const CPlexaWindow& plexa, const std::vector<CPictureSample>& samples)
{
    const std::vector<CRemoteTreeItem> nodes = SingleRoot(ReadRemoteTree(plexa.Tree())).children;
    for (const CPictureSample& sample : samples) {
        SCOPED_TRACE(testing::Message() << std::hex << sample.colour);
        const auto node = std::find_if(nodes.begin(), nodes.end(),
                                       [&](const CRemoteTreeItem& item) { return item.text == sample.label; });
        ASSERT_NE(node, nodes.end());
        TreeView_SelectItem(plexa.Tree(), node->handle);
        EXPECT_EQ(CPlexaWindow::TextOf(plexa.ContentControl(IDC_IMAGE_INFO)), sample.info);
        const HWND picture = plexa.ContentControl(IDC_IMAGE_WINDOW);
        ASSERT_NE(picture, nullptr);
        POINT point = kInsidePicture;
        ::ClientToScreen(picture, &point);
        COLORREF shown = CLR_INVALID;
        for (int tries = 0; tries < 100 && shown != sample.colour; ++tries) {
            PumpMessagesFor(20);
            shown = ScreenPixel(point);
        }
        EXPECT_EQ(shown, sample.colour) << std::hex << shown;
    }
}

}  // namespace

TEST_F(PlexaSession, PastedPicturesShowTheirSizeAndPixels)
{
    const std::vector<CPictureSample> samples{
        {L"CF_DIB", L"16×12  24ビット/ピクセル", RGB(0xCC, 0x33, 0x66)},
        {L"CF_BITMAP", L"20×10  32ビット/ピクセル", RGB(0x22, 0x88, 0x44)},
        {L"\"PNG\"", L"9×7  24ビット/ピクセル", RGB(0x33, 0x55, 0xAA)},
    };
    auto source = CTestDataObject::Create();
    source->Offer({.cf = CF_DIB}, CTestMedium::Global(BytesOfString(CreateTestDib(16, 12, samples[0].colour))));
    source->Offer({.cf = CF_BITMAP, .tymed = TYMED_GDI}, CTestMedium::Bitmap(20, 10, samples[1].colour));
    source->Offer({.cf = Registered(L"PNG")},
                  CTestMedium::Global(BytesOfString(CreateTestPictureFile(L"image/png", 9, 7, samples[2].colour))));
    CPlexaWindow plexa = Start();
    const CClipboardSource clipboard(source);
    ASSERT_EQ(clipboard.Result(), S_OK);
    ASSERT_TRUE(plexa.RunCommand(ID_EDIT_PASTE));

    ExpectPicturesShown(plexa, samples);
}

TEST_F(PlexaSession, DroppedPicturesShowTheirSizeAndPixels)
{
    const std::vector<CPictureSample> samples{
        {L"\"DragImageBits\"", L"24×16  32ビット/ピクセル", RGB(0x99, 0x44, 0x11)},
        {L"CF_DIB", L"8×8  24ビット/ピクセル", RGB(0x11, 0x66, 0x99)},
    };
    auto source = CTestDataObject::Create();
    source->Offer({.cf = Registered(L"DragImageBits")}, CTestMedium::Global(DragImageBits(24, 16, samples[0].colour)));
    source->Offer({.cf = CF_DIB}, CTestMedium::Global(BytesOfString(CreateTestDib(8, 8, samples[1].colour))));
    CPlexaWindow plexa = Start();
    const CDragResult drop = DragWithMouse(source, DROPEFFECT_COPY, kDragStart,
                                           CPlexaWindow::CentreOf(plexa.DropWindow(IDC_DROP_ALL)));
    ASSERT_EQ(drop.hr, DRAGDROP_S_DROP);

    ExpectPicturesShown(plexa, samples);
}
