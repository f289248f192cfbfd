#include "support/HostWindow.h"
#include "support/NodeTestBase.h"
#include "support/TempDir.h"
#include "support/TestBytes.h"
#include "res/resource.h"
#include "ui/LeftView.h"
#include "ui/PlexaDoc.h"

#include <optional>

namespace {

// The tree with the save dialog answered and the context menu looked at instead of shown.
class CSavingTree : public CLeftView {
public:
    std::wstring m_answer;
    std::vector<std::wstring> m_proposed;
    std::optional<bool> m_saveEnabled;

protected:
    std::wstring ChooseSavePath(const std::wstring& proposedName) override
    {
        m_proposed.push_back(proposedName);
        return m_answer;
    }
    void TrackContextMenu(const CPopupMenu& menu, POINT) override
    {
        m_saveEnabled = !(::GetMenuState(menu.GetSafeHmenu(), ID_SAVE_NODE, MF_BYCOMMAND) & MF_GRAYED);
    }
};

class LeftViewSaveTest : public CNodeTestBase {
protected:
    void SetUp() override
    {
        CNodeTestBase::SetUp();
        ASSERT_TRUE(CreateHostWindow(m_parent, RECT{0, 0, 300, 300}));
        ASSERT_TRUE(m_tree.Create(m_parent, 0xE900, &m_doc, RECT{0, 0, 300, 300}));
    }
    void TearDown() override
    {
        m_tree.DestroyWindow();
        m_parent.DestroyWindow();
    }

    // A snapshot of a PNG node holding `bytes` and a folder without bytes.
    void TakeSnapshot(const std::string& bytes)
    {
        auto png = NodeWith(bytes);
        png->m_fmt.cfFormat = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"PNG"));
        auto folder = std::make_unique<CCBData>();
        folder->m_strName = L"folder";
        folder->m_pChildren = std::make_unique<CCBDataArray>();
        auto nodes = std::make_shared<CCBDataArray>();
        nodes->push_back(std::move(png));
        nodes->push_back(std::move(folder));
        m_doc.SetSnapshot(std::move(nodes), {}, m_doc.GetTitle());
    }

    HTREEITEM TopItem(int index) const
    {
        HTREEITEM item = TreeView_GetChild(m_tree.GetSafeHwnd(), TreeView_GetRoot(m_tree.GetSafeHwnd()));
        while (index-- > 0)
            item = TreeView_GetNextSibling(m_tree.GetSafeHwnd(), item);
        return item;
    }

    // A right click on the item's text, as the tree passes it on.
    void RightClick(HTREEITEM item)
    {
        RECT rect{};
        TreeView_GetItemRect(m_tree.GetSafeHwnd(), item, &rect, TRUE);
        POINT point{rect.left + 2, rect.top + 2};
        ::ClientToScreen(m_tree, &point);
        ::SendMessageW(m_tree, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_tree.GetSafeHwnd()),
                       MAKELPARAM(point.x, point.y));
    }

    CPlexaDoc m_doc{m_app};
    CSavingTree m_tree;
    CWnd m_parent;
    CTempDir m_dir;
};

}

TEST_F(LeftViewSaveTest, SavesTheSelectedNodeByteForByte)
{
    // Several copy chunks and a piece of one.
    const CBytes pattern = PatternBytes(3 * 1024 * 1024 + 17);
    const std::string bytes(pattern.begin(), pattern.end());
    TakeSnapshot(bytes);
    TreeView_SelectItem(m_tree.GetSafeHwnd(), TopItem(0));
    m_tree.m_answer = m_dir / L"saved.png";
    ::SendMessageW(m_tree, WM_COMMAND, ID_SAVE_NODE, 0);
    EXPECT_EQ(m_tree.m_proposed, std::vector<std::wstring>{L"PNG.png"});
    EXPECT_TRUE(ReadFileBytes(m_dir / L"saved.png") == bytes);

    // Cancelled: nothing written.
    m_tree.m_answer.clear();
    ::SendMessageW(m_tree, WM_COMMAND, ID_SAVE_NODE, 0);
    EXPECT_EQ(ListFolder(m_dir.Path()), std::vector<std::wstring>{L"saved.png"});
}

TEST_F(LeftViewSaveTest, TheContextMenuSelectsTheItemAndOffersSavingOnlyWithBytes)
{
    TakeSnapshot("abc");
    RightClick(TopItem(1));
    EXPECT_EQ(m_tree.GetSelectedNode(), (*m_doc.Snapshot())[1].get());
    EXPECT_EQ(m_tree.m_saveEnabled, false);
    RightClick(TopItem(0));
    EXPECT_EQ(m_tree.GetSelectedNode(), (*m_doc.Snapshot())[0].get());
    EXPECT_EQ(m_tree.m_saveEnabled, true);

    // Below the items: no menu.
    m_tree.m_saveEnabled.reset();
    POINT below{10, 290};
    ::ClientToScreen(m_tree, &below);
    ::SendMessageW(m_tree, WM_CONTEXTMENU, 0, MAKELPARAM(below.x, below.y));
    EXPECT_FALSE(m_tree.m_saveEnabled.has_value());
}

TEST_F(LeftViewSaveTest, AFailedSaveLeavesNoFile)
{
    auto node = NodeWith("abcdef");
    struct Case {
        const char* name;
        uint64_t size;
        std::wstring path;
        CCBData::SaveResult result;
    };
    const Case cases[] = {
        {"saved", 6, m_dir / L"a.bin", CCBData::SaveResult::Saved},
        {"temporary file shorter than the node", 7, m_dir / L"b.bin", CCBData::SaveResult::CannotRead},
        {"folder missing", 6, m_dir / L"none\\c.bin", CCBData::SaveResult::CannotWrite},
    };
    for (const Case& c : cases) {
        node->m_nSize = c.size;
        EXPECT_EQ(node->SaveBytesTo(c.path), c.result) << c.name;
    }
    EXPECT_EQ(ListFolder(m_dir.Path()), std::vector<std::wstring>{L"a.bin"});
    EXPECT_EQ(ReadFileBytes(m_dir / L"a.bin"), "abcdef");
    CCBData empty;
    EXPECT_EQ(empty.SaveBytesTo(m_dir / L"d.bin"), CCBData::SaveResult::NoData);

    // Stopped after its first mebibyte of three, as the progress dialog's "中止" does.
    auto large = NodeWith(std::string(3 << 20, 'x'));
    std::vector<uint64_t> heard;
    const auto stopAtOnce = [&](uint64_t done, uint64_t total) {
        heard.push_back(done);
        return total == (3u << 20);
    };
    EXPECT_EQ(large->SaveBytesTo(m_dir / L"e.bin", stopAtOnce), CCBData::SaveResult::Stopped);
    EXPECT_EQ(heard, std::vector<uint64_t>{1u << 20});
    EXPECT_EQ(ListFolder(m_dir.Path()), std::vector<std::wstring>{L"a.bin"});
}
