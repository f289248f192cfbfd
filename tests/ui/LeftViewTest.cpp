#include "support/HostWindow.h"
#include "support/TestApp.h"
#include "ui/LeftView.h"
#include "ui/PlexaDoc.h"

#include <gtest/gtest.h>

namespace {

// Stands for the content view: records what it is asked to show.
class CShownNodes : public CView {
public:
    void OnUpdate(CView*, LPARAM hint, void* hintObject) override
    {
        if (hint & HINT_SHOW_NODE)
            m_shown.push_back(static_cast<CCBData*>(hintObject));
    }
    std::vector<CCBData*> m_shown;
};

class LeftViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A window of ours, so the tree's notifications are reflected back to it as in the splitter.
        ASSERT_TRUE(CreateHostWindow(m_parentWnd, RECT{0, 0, 300, 300}));
        m_parent = m_parentWnd;
        ASSERT_TRUE(m_tree.Create(m_parent, 0xE900, &m_doc, RECT{0, 0, 150, 300}));
        ASSERT_TRUE(m_content.Create(m_parent, 0xE901, &m_doc, RECT{150, 0, 300, 300}));
    }
    void TearDown() override
    {
        m_tree.DestroyWindow();
        m_content.DestroyWindow();
        m_parentWnd.DestroyWindow();
    }

    static std::unique_ptr<CCBData> Node(const std::wstring& name, int icon)
    {
        auto node = std::make_unique<CCBData>();
        node->m_strName = name;
        node->m_nIcon = icon;
        return node;
    }

    // A snapshot: text, a folder with two children, a picture.
    void TakeSnapshot()
    {
        auto nodes = std::make_shared<CCBDataArray>();
        nodes->push_back(Node(L"text", kIconData));
        auto folder = Node(L"folder", kIconFolder);
        folder->m_pChildren = std::make_unique<CCBDataArray>();
        folder->m_pChildren->push_back(Node(L"inner1", kIconData));
        folder->m_pChildren->push_back(Node(L"inner2", kIconUnknown));
        nodes->push_back(std::move(folder));
        nodes->push_back(Node(L"picture", kIconPicture));
        m_doc.SetSnapshot(std::move(nodes), {}, L"クリップボード#7");
    }

    TVITEMW Item(HTREEITEM handle, wchar_t* text)
    {
        TVITEMW item{TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE, handle};
        item.pszText = text;
        item.cchTextMax = 64;
        item.stateMask = TVIS_EXPANDED;
        TreeView_GetItem(m_tree.GetSafeHwnd(), &item);
        return item;
    }

    CTestApp m_app;
    CPlexaDoc m_doc{m_app};
    CLeftView m_tree;
    CShownNodes m_content;
    CWnd m_parentWnd;
    HWND m_parent = nullptr;
};

}

TEST_F(LeftViewTest, TheSnapshotIsARootWithTheNodesInCaptureOrder)
{
    const HWND tree = m_tree.GetSafeHwnd();
    wchar_t className[32] = {};
    ::GetClassNameW(tree, className, 32);
    EXPECT_STREQ(className, L"SysTreeView32");
    EXPECT_EQ(TreeView_GetCount(tree), 0u) << "no snapshot, no root";

    TakeSnapshot();
    wchar_t text[64];
    const HTREEITEM root = TreeView_GetRoot(tree);
    TVITEMW item = Item(root, text);
    EXPECT_STREQ(text, L"クリップボード#7");
    EXPECT_EQ(item.lParam, 0);
    EXPECT_EQ(item.iImage, kIconFolder);
    EXPECT_TRUE(item.state & TVIS_EXPANDED);

    std::vector<std::wstring> labels;
    for (HTREEITEM child = TreeView_GetChild(tree, root); child; child = TreeView_GetNextSibling(tree, child)) {
        item = Item(child, text);
        labels.push_back(text);
        const auto* node = reinterpret_cast<const CCBData*>(item.lParam);
        EXPECT_EQ(item.iImage, node->m_nIcon);
        EXPECT_EQ(item.iSelectedImage, node->m_nIcon);
    }
    EXPECT_EQ(labels, (std::vector<std::wstring>{L"text", L"folder", L"picture"}));
    const HTREEITEM folder = TreeView_GetNextSibling(tree, TreeView_GetChild(tree, root));
    EXPECT_FALSE(Item(folder, text).state & TVIS_EXPANDED) << "subtrees start collapsed";
    EXPECT_EQ(TreeView_GetCount(tree), 4u) << "a subtree's items come when it is first expanded";
    for (int twice = 0; twice < 2; ++twice) {
        TreeView_Expand(tree, folder, TVE_EXPAND);
        TreeView_Expand(tree, folder, TVE_COLLAPSE);
    }
    const HTREEITEM inner2 = TreeView_GetNextSibling(tree, TreeView_GetChild(tree, folder));
    EXPECT_EQ(Item(inner2, text).iImage, kIconUnknown);
    EXPECT_EQ(TreeView_GetCount(tree), 6u);

    // Told before the snapshot goes: the tree empties.
    const std::shared_ptr<CCBDataArray> old = m_doc.Snapshot();
    m_doc.SetSnapshot(nullptr, {}, L"");
    EXPECT_EQ(TreeView_GetCount(tree), 0u);
}

TEST_F(LeftViewTest, SelectingShowsTheNodeAndTheRootShowsNone)
{
    TakeSnapshot();
    const HWND tree = m_tree.GetSafeHwnd();
    const HTREEITEM root = TreeView_GetRoot(tree);
    const HTREEITEM picture = TreeView_GetLastVisible(tree);
    TreeView_SelectItem(tree, picture);
    ASSERT_FALSE(m_content.m_shown.empty());
    EXPECT_EQ(m_content.m_shown.back(), (*m_doc.Snapshot())[2].get());
    TreeView_SelectItem(tree, root);
    EXPECT_EQ(m_content.m_shown.back(), nullptr);
    m_doc.UpdateAllViews(nullptr, HINT_SELECT_NODE, (*m_doc.Snapshot())[1].get());
    EXPECT_EQ(m_content.m_shown.back(), (*m_doc.Snapshot())[1].get()) << "a top-level node selected by the document";
}

TEST_F(LeftViewTest, SelectFirstShowsTheFirstNode)
{
    TakeSnapshot();
    m_content.m_shown.clear();
    m_doc.UpdateAllViews(nullptr, HINT_SELECT_FIRST);
    ASSERT_FALSE(m_content.m_shown.empty());
    EXPECT_EQ(m_content.m_shown.back(), (*m_doc.Snapshot())[0].get());
    wchar_t text[64];
    Item(TreeView_GetSelection(m_tree.GetSafeHwnd()), text);
    EXPECT_STREQ(text, L"text");
}

