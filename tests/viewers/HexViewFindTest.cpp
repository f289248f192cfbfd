#include "HexViewFixture.h"

#include <vector>

namespace {

constexpr uint64_t kEightGiB = 8ull << 30;
constexpr uint64_t kChunk = 1 << 20;

// Zeros with a few runs of given bytes: the source of a node of any size.
struct CMarkedSource {
    uint64_t size = 0;
    std::vector<std::pair<uint64_t, std::string>> marks;
};

uint32_t ReadMarked(uint64_t offset, uint32_t count, void* buffer, void* context, int64_t)
{
    const auto& source = *static_cast<const CMarkedSource*>(context);
    const uint64_t end = std::min(offset + count, source.size);
    const uint32_t n = end > offset ? static_cast<uint32_t>(end - offset) : 0;
    auto* bytes = static_cast<uint8_t*>(buffer);
    std::memset(bytes, 0, n);
    for (const auto& [at, text] : source.marks) {
        for (size_t i = 0; i < text.size(); ++i) {
            if (at + i >= offset && at + i < end)
                bytes[at + i - offset] = static_cast<uint8_t>(text[i]);
        }
    }
    return n;
}

class HexViewFindTest : public HexViewTest {
protected:
    void ShowMarked(uint64_t size, std::vector<std::pair<uint64_t, std::string>> marks)
    {
        m_source = {size, std::move(marks)};
        m_view.SetBytesPerLine(16);
        m_view.SetDataSource(ReadMarked, &m_source, 0, size);
    }
    // The caret just before `offset`: a one-byte selection ending there.
    void PutCaretBefore(uint64_t offset) { m_view.SelectBytes({offset - 1, offset}); }
    void Find(const std::wstring& text, bool asHex)
    {
        m_view.m_findAnswer = CHexFindRequest{text, asHex, true};
        Key('F', kCtrl);
    }
    std::pair<uint64_t, uint64_t> Selected() const
    {
        const HexByteRange range = m_view.GetSelectedByteRange();
        return {range.start, range.end};
    }
    bool CaretShown() const
    {
        const int64_t line = m_view.GetCaret().line - m_view.GetTopLine();
        return line >= 0 && line < m_view.GetPageLines();
    }

    CMarkedSource m_source;
};

}

TEST_F(HexViewFindTest, FindsHexNextAndPreviousInEightGibibytesNearTheEnd)
{
    const uint64_t start = kEightGiB - 3 * kChunk;
    // The first match straddles the first chunk's end; the last lies near the end of the data.
    const uint64_t across = start + kChunk - 1;
    const uint64_t nearEnd = kEightGiB - 5000;
    ShowMarked(kEightGiB, {{across, "MZ\x90"}, {nearEnd, "MZ\x90"}});
    PutCaretBefore(start);

    Find(L"4D 5A 90", true);
    EXPECT_EQ(Selected(), std::make_pair(across, across + 3));
    EXPECT_TRUE(CaretShown());
    Key(VK_F3);
    EXPECT_EQ(Selected(), std::make_pair(nearEnd, nearEnd + 3));
    EXPECT_TRUE(CaretShown());
    Key(VK_F3);
    EXPECT_EQ(m_view.m_nNotFound, 1);
    EXPECT_EQ(Selected(), std::make_pair(nearEnd, nearEnd + 3));
    Key(VK_F3, kShift);
    EXPECT_EQ(Selected(), std::make_pair(across, across + 3));
    EXPECT_EQ(m_view.m_nNotFound, 1);
}

TEST_F(HexViewFindTest, FindsTextAsAnsiUtf8AndUtf16)
{
    const std::string utf16("\xE5\x65\x2C\x67", 4);  // 日本 in UTF-16LE
    ShowMarked(4096, {{100, "\x93\xFA\x96\x7B"}, {1000, "\xE6\x97\xA5\xE6\x9C\xAC"}, {3000, utf16}});
    struct Step {
        UINT key;
        unsigned mods;
        uint64_t start;
        uint64_t end;
    };
    Find(L"日本", false);
    EXPECT_EQ(Selected(), std::make_pair(uint64_t{100}, uint64_t{104}));
    const Step steps[] = {{VK_F3, 0, 1000, 1006}, {VK_F3, 0, 3000, 3004}, {VK_F3, kShift, 1000, 1006},
                          {VK_F3, kShift, 100, 104}};
    for (const Step& step : steps) {
        Key(step.key, step.mods);
        EXPECT_EQ(Selected(), std::make_pair(step.start, step.end));
    }
    Key(VK_F3, kShift);
    EXPECT_EQ(m_view.m_nNotFound, 1);
}

TEST_F(HexViewFindTest, NothingToFindOrMalformedLeavesTheSelection)
{
    ShowMarked(300, {{10, "ab"}});
    m_view.SelectBytes({5, 6});
    Find(L"61 63", true);
    EXPECT_EQ(m_view.m_nNotFound, 1);
    // Malformed hex makes no patterns: nothing is searched.
    Find(L"6", true);
    EXPECT_EQ(m_view.m_nNotFound, 1);
    EXPECT_EQ(Selected(), std::make_pair(uint64_t{5}, uint64_t{6}));
    // Cancelled box: F3 still looks for the last pattern that was searched.
    m_view.m_findAnswer.reset();
    Key('F', kCtrl);
    Key(VK_F3);
    EXPECT_EQ(m_view.m_nNotFound, 2);
}

namespace {

// Presses "中止" of the search's progress dialog once it shows.
void CALLBACK StopSearch(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    while ((dialog = ::FindWindowExW(nullptr, dialog, L"#32770", L"Plexa")) != nullptr) {
        if (::IsWindowVisible(dialog))
            ::SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

}

TEST_F(HexViewFindTest, ALongSearchShowsProgressAndCanBeStopped)
{
    ShowMarked(kEightGiB, {{kEightGiB - 2, "MZ"}});
    m_view.SelectBytes({0, 1});
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, StopSearch);
    const ULONGLONG started = ::GetTickCount64();
    Find(L"4D 5A", true);
    const ULONGLONG took = ::GetTickCount64() - started;
    ::KillTimer(nullptr, timer);
    // Stopped: neither found nor reported missing, and the window usable again.
    EXPECT_EQ(Selected(), std::make_pair(uint64_t{0}, uint64_t{1}));
    EXPECT_EQ(m_view.m_nNotFound, 0);
    EXPECT_TRUE(::IsWindowEnabled(m_host));
    std::printf("stopped after %llu ms\n", static_cast<unsigned long long>(took));
}
