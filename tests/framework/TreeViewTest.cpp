#include "FrameworkFixture.h"

#include <commctrl.h>

TEST_F(FrameworkTest, TheTreeViewWindowIsATreeControl)
{
    const HWND tree = Tree().GetSafeHwnd();
    ASSERT_EQ(tree, Tree().GetSafeHwnd());
    wchar_t className[64] = {};
    ::GetClassNameW(tree, className, 64);
    EXPECT_STREQ(className, L"SysTreeView32");

    wchar_t text[] = L"ルート";
    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = text;
    insert.item.lParam = 42;
    const auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    ASSERT_NE(item, nullptr);

    wchar_t buffer[64] = {};
    TVITEMW read{};
    read.mask = TVIF_TEXT | TVIF_PARAM;
    read.hItem = item;
    read.pszText = buffer;
    read.cchTextMax = 64;
    ASSERT_TRUE(::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read)));
    EXPECT_STREQ(buffer, L"ルート");
    EXPECT_EQ(read.lParam, 42);
}

TEST_F(FrameworkTest, SelectionNotificationsReachTheTreeViewObject)
{
    const HWND tree = Tree().GetSafeHwnd();
    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    wchar_t text[] = L"item";
    insert.item.pszText = text;
    const auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    ASSERT_NE(item, nullptr);

    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(Tree().m_hSelChanged, item);
}
