#include "TreeExpectations.h"

std::vector<std::wstring> TextsOf(const std::vector<CRemoteTreeItem>& items)
{
    std::vector<std::wstring> texts;
    for (const auto& item : items)
        texts.push_back(item.text);
    return texts;
}

std::wstring OutlineOf(const std::vector<CRemoteTreeItem>& items, int depth)
{
    std::wstring outline;
    for (const auto& item : items)
        outline += std::wstring(2 * depth, L' ') + item.text + L"\n" + OutlineOf(item.children, depth + 1);
    return outline;
}

CRemoteTreeItem SingleRoot(const std::vector<CRemoteTreeItem>& tree)
{
    EXPECT_EQ(tree.size(), 1u) << "one root item";
    return tree.empty() ? CRemoteTreeItem{} : tree.front();
}

std::wstring ClipboardTitle()
{
    return L"クリップボード#" + std::to_wstring(::GetClipboardSequenceNumber());
}
