#include "tests/viewers/HexViewFixture.h"

#include "framework/Resource.h"
#include "res/resource.h"
#include "res/strings/viewers.h"

#include <vector>

namespace {

constexpr uint64_t kGiB = 1ull << 30;

struct DigitsCase {
    uint64_t size;
    std::wstring firstLine;  // its start: the offset and the first bytes
};

class HexViewDigits : public HexViewTest, public ::testing::WithParamInterface<DigitsCase> {};

}

TEST_P(HexViewDigits, TheOffsetWidthFollowsTheSize)
{
    Show(GetParam().size);
    Key(VK_END, kShift);
    Key('C', kCtrl);
    EXPECT_EQ(ClipboardText().substr(0, GetParam().firstLine.size()), GetParam().firstLine);
}

// SynthByte: 00 1f 3e 5d ...
INSTANTIATE_TEST_SUITE_P(SizeBoundaries, HexViewDigits,
                         ::testing::Values(DigitsCase{65535, L"0000  00 1f 3e"}, DigitsCase{65536, L"00000000  00 1f"},
                                           DigitsCase{0xFFFFFFFFull, L"00000000  00 1f"},
                                           DigitsCase{0x100000000ull, L"0000000000000000  00 1f"}));

TEST_F(HexViewTest, SelectAllThenCopyGivesEveryLineWithCrLfAndAllBytes)
{
    Show(40);
    SetClipboardMarker();
    Key('A', kCtrl);
    Key(VK_INSERT, kCtrl);
    const std::wstring text = ClipboardText();
    ASSERT_EQ(text.size(), 73u + 73u + 65u);
    EXPECT_EQ(text.substr(0, 6), L"0000  ");
    EXPECT_EQ(text.substr(71, 8), L"\r\n0010  ");
    EXPECT_EQ(text.substr(146, 6), L"0020  ");
    EXPECT_EQ(text.substr(text.size() - 2), L"\r\n");
    EXPECT_EQ(ClipboardBinaryData(), SynthBytes(0, 40));
    EXPECT_EQ(m_app.m_messages, std::vector<std::wstring>{});
}

namespace {

struct SelectionCase {
    HexPos from;
    HexPos to;
    std::optional<std::string> bytes;  // "BinaryData", when any byte is selected
    size_t textLength;
};

class HexViewSelection : public HexViewTest, public ::testing::WithParamInterface<SelectionCase> {};

}

TEST_P(HexViewSelection, OnlyTheHexColumnSelectsBytes)
{
    Show(17);
    Select(GetParam().from, GetParam().to);
    SetClipboardMarker();
    Key('C', kCtrl);
    EXPECT_EQ(ClipboardText().size(), GetParam().textLength);
    EXPECT_EQ(ClipboardBinaryData(), GetParam().bytes);
    EXPECT_EQ(m_app.m_messages, std::vector<std::wstring>{});
}

// 17 bytes: hex digits of byte k at 6 + 3k and 7 + 3k, characters from 55; lines of 71 and 56.
INSTANTIATE_TEST_SUITE_P(
    Columns, HexViewSelection,
    ::testing::Values(SelectionCase{{0, 0}, {0, 4}, std::nullopt, 4},             // wholly in the offset column
                      SelectionCase{{0, 56}, {0, 70}, std::nullopt, 14},          // wholly in the characters
                      SelectionCase{{0, 15}, {0, 21}, SynthBytes(3, 2), 6},       // first digits of 3 and 5
                      SelectionCase{{0, 16}, {0, 22}, SynthBytes(3, 3), 6},       // second digits of 3 and 5
                      SelectionCase{{0, 2}, {1, 3}, SynthBytes(0, 16), 69 + 2 + 3},  // offset to offset
                      SelectionCase{{0, 60}, {1, 56}, SynthBytes(16, 1), 11 + 2 + 56}));  // characters to the end

namespace {

struct KeyCase {
    const char* name;
    std::vector<std::pair<UINT, unsigned>> keys;
    HexPos caret;
    int64_t top;  // kMaxTop for the last top line the bar reaches
};
constexpr int64_t kMaxTop = -1;

class HexViewKeys : public HexViewTest, public ::testing::WithParamInterface<KeyCase> {};

}

// 100 full lines of 71 characters.
TEST_P(HexViewKeys, MoveTheCaretAndStopAtTheEdges)
{
    Show(1600);
    for (const auto& [key, mods] : GetParam().keys)
        Key(key, mods);
    EXPECT_EQ(m_view.GetCaret(), GetParam().caret);
    const int64_t maxTop = 101 - m_view.GetPageLines();
    EXPECT_EQ(m_view.GetTopLine(), GetParam().top == kMaxTop ? maxTop : GetParam().top);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, HexViewKeys,
    ::testing::Values(KeyCase{"LeftAtTheStart", {{VK_LEFT, 0}, {VK_UP, 0}}, {0, 0}, 0},
                      KeyCase{"PageUpAtTheTopKeepsTheCaret", {{VK_DOWN, 0}, {VK_DOWN, 0}, {VK_PRIOR, 0}}, {2, 0}, 0},
                      KeyCase{"RightAndDownAtTheEnd", {{VK_END, kCtrl}, {VK_RIGHT, 0}, {VK_DOWN, 0}}, {100, 0}, kMaxTop},
                      KeyCase{"PageDownAtTheLastTop", {{VK_END, kCtrl}, {VK_UP, 0}, {VK_NEXT, 0}}, {99, 0}, kMaxTop},
                      KeyCase{"EndThenRightWraps", {{VK_END, 0}, {VK_RIGHT, 0}}, {1, 0}, 0},
                      KeyCase{"LeftWrapsBack", {{VK_DOWN, 0}, {VK_LEFT, 0}}, {0, 71}, 0},
                      KeyCase{"CtrlHomeFromTheEnd", {{VK_END, kCtrl}, {VK_HOME, kCtrl}}, {0, 0}, 0},
                      KeyCase{"WordRightThenLeft", {{VK_RIGHT, kCtrl}, {VK_RIGHT, kCtrl}, {VK_LEFT, kCtrl}}, {0, 6}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HexViewTest, PageDownMovesTopAndCaretByAPageAndShiftExtends)
{
    Show(1600);
    Key(VK_NEXT, kShift);
    const int page = m_view.GetPageLines();
    EXPECT_EQ(m_view.GetTopLine(), page);
    EXPECT_EQ(m_view.GetCaret(), (HexPos{page, 0}));
    EXPECT_EQ(m_view.GetSelStart(), (HexPos{0, 0}));
    Key(VK_HOME);  // already at column 0: nothing changes, the selection included
    EXPECT_EQ(m_view.GetSelStart(), (HexPos{0, 0}));
}

namespace {

struct WheelCase {
    int startLines;  // SB_LINEDOWN steps first; -1 for SB_BOTTOM
    int delta;
    int64_t top;
};

class HexViewWheel : public HexViewTest, public ::testing::WithParamInterface<WheelCase> {};

}

TEST_P(HexViewWheel, MovesThreeLinesANotch)
{
    Show(1600);
    if (GetParam().startLines < 0)
        ::SendMessageW(m_view, WM_VSCROLL, SB_BOTTOM, 0);
    for (int i = 0; i < GetParam().startLines; ++i)
        ::SendMessageW(m_view, WM_VSCROLL, SB_LINEDOWN, 0);
    ::SendMessageW(m_view, WM_MOUSEWHEEL, MAKEWPARAM(0, GetParam().delta), 0);
    EXPECT_EQ(m_view.GetTopLine(), GetParam().top);
    EXPECT_EQ(m_view.GetCaret(), (HexPos{0, 0}));
}

// Toward the user the wheel may pass the bar's range, up to the line count.
INSTANTIATE_TEST_SUITE_P(Notches, HexViewWheel,
                         ::testing::Values(WheelCase{10, 120, 7}, WheelCase{10, -120, 13}, WheelCase{10, 480, 0},
                                           WheelCase{0, 120, 0}, WheelCase{-1, -3600, 100}));

TEST_F(HexViewTest, HorizontalPagesAreEightColumns)
{
    Show(1600, INT64_MAX, 64);
    ::SendMessageW(m_view, WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(m_view.GetLeftCol(), 8);
    ::SendMessageW(m_view, WM_HSCROLL, SB_PAGELEFT, 0);
    ::SendMessageW(m_view, WM_HSCROLL, SB_PAGELEFT, 0);
    EXPECT_EQ(m_view.GetLeftCol(), 0);
}

namespace {

struct WordCase {
    int col;  // double-clicked character of line 0
    HexPos start;
    HexPos end;
};

class HexViewDoubleClick : public HexViewTest, public ::testing::WithParamInterface<WordCase> {};

}

TEST_P(HexViewDoubleClick, SelectsTheWordAndTheSeparatorsAfterIt)
{
    Show(32);
    ::SendMessageW(m_view, WM_LBUTTONDBLCLK, MK_LBUTTON, PointOf({0, GetParam().col}, 1));
    EXPECT_EQ(m_view.GetSelStart(), GetParam().start);
    EXPECT_EQ(m_view.GetSelEnd(), GetParam().end);
}

INSTANTIATE_TEST_SUITE_P(Words, HexViewDoubleClick,
                         ::testing::Values(WordCase{2, {0, 0}, {0, 6}}, WordCase{9, {0, 9}, {0, 12}},
                                           WordCase{10, {0, 9}, {0, 12}}, WordCase{50, {0, 48}, {0, 51}}));

namespace {

struct MenuCase {
    uint64_t size;
    HexPos from;
    HexPos to;
    bool copy;
    bool exportable;
    bool selectAll;
};

class HexViewMenu : public HexViewTest, public ::testing::WithParamInterface<MenuCase> {};

}

TEST_P(HexViewMenu, GraysWhatHasNothingToWorkOn)
{
    Show(GetParam().size);
    Select(GetParam().from, GetParam().to);
    ::SendMessageW(m_view, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_view.GetSafeHwnd()), MAKELPARAM(10, 20));
    EXPECT_EQ(m_view.m_enabled[ID_EDIT_COPY], GetParam().copy);
    EXPECT_EQ(m_view.m_enabled[ID_EXPORT_SELECTION], GetParam().exportable);
    EXPECT_EQ(m_view.m_enabled[ID_EDIT_SELECT_ALL], GetParam().selectAll);
    EXPECT_EQ(m_view.m_ptMenu.x, 10);
}

INSTANTIATE_TEST_SUITE_P(States, HexViewMenu,
                         ::testing::Values(MenuCase{0, {0, 0}, {0, 0}, false, false, false},
                                           MenuCase{17, {0, 0}, {0, 0}, false, false, true},
                                           MenuCase{17, {0, 0}, {0, 3}, true, false, true},
                                           MenuCase{17, {0, 6}, {0, 7}, true, true, true}));

TEST_F(HexViewTest, TheKeyboardMenuOpensBelowTheCaret)
{
    Show(64);
    Click({2, 9});
    ::SendMessageW(m_view, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_view.GetSafeHwnd()), MAKELPARAM(-1, -1));
    POINT caret = m_view.CellOrigin({2, 9});
    POINT below = m_view.CellOrigin({3, 9});
    ::ClientToScreen(m_view, &caret);
    ::ClientToScreen(m_view, &below);
    EXPECT_EQ(m_view.m_ptMenu.x, caret.x);
    EXPECT_EQ(m_view.m_ptMenu.y, below.y);
}

TEST_F(HexViewTest, EightGiBScrollToTheEndAndCopyTheLastLine)
{
    Show(8 * kGiB);
    Key(VK_END, kCtrl);
    const int64_t lines = 8 * kGiB / 16;
    EXPECT_EQ(m_view.GetCaret(), (HexPos{lines, 0}));
    EXPECT_EQ(m_view.GetTopLine(), lines + 1 - m_view.GetPageLines());
    Key(VK_UP, kShift);
    Key('C', kCtrl);
    EXPECT_EQ(ClipboardBinaryData(), SynthBytes(8 * kGiB - 16, 16));
    EXPECT_EQ(ClipboardText().substr(0, 18), L"00000001fffffff0  ");
    EXPECT_EQ(m_app.m_messages, std::vector<std::wstring>{});
}

TEST_F(HexViewTest, MoreLinesThanTheBarHoldsStillScrollToTheEnd)
{
    Show(1ull << 40);  // 2^36 lines
    ::SendMessageW(m_view, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(m_view.GetTopLine(), (1ll << 36) + 1 - m_view.GetPageLines());
    SCROLLINFO info{sizeof(info), SIF_ALL};
    ASSERT_TRUE(::GetScrollInfo(m_view, SB_VERT, &info));
    EXPECT_LE(info.nMax, 0x7FFFFFFF);
    EXPECT_GT(info.nPos, 0x7FFFFFFF / 2);
}

TEST_F(HexViewTest, TooManyBytesForEitherFormAreRefusedAndTheClipboardKept)
{
    Show(8 * kGiB);
    SetClipboardMarker();
    Key('A', kCtrl);
    Key('C', kCtrl);
    EXPECT_EQ(m_app.m_messages, std::vector{LoadResString(IDS_HEX_TOO_LARGE)});
    EXPECT_EQ(ClipboardText(), L"marker");
    EXPECT_EQ(ClipboardBinaryData(), std::nullopt);
}

TEST_F(HexViewTest, BytesWhoseTextIsTooLongAreCopiedAsBinaryDataAlone)
{
    // Some 320 million characters as a dump: past the text's limit, far below the count's.
    const uint64_t size = 64ull << 20;
    Show(size);
    SetClipboardMarker();
    Key('A', kCtrl);
    Key('C', kCtrl);
    EXPECT_EQ(m_app.m_messages, std::vector{LoadResString(IDS_HEX_TEXT_TOO_LARGE)});
    EXPECT_EQ(ClipboardText(), L"(no text)");
    const std::optional<std::string> bytes = ClipboardBinaryData();
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), size);
    EXPECT_TRUE(*bytes == SynthBytes(0, size));
}

TEST_F(HexViewTest, BytesThatCannotBeReadAreAbsentAndNeverCopied)
{
    Show(40, 20);
    Key('A', kCtrl);
    Key('C', kCtrl);
    EXPECT_EQ(ClipboardBinaryData(), SynthBytes(0, 20));
    const std::wstring text = ClipboardText();
    EXPECT_EQ(text.substr(73 + 6 + 3 * 4, 6), L"-- -- ");  // byte 20 is the fifth of line 1
    EXPECT_EQ(m_app.m_messages, std::vector{LoadResString(IDS_HEX_UNREADABLE)});
}
