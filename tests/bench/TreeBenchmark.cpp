// Seconds from a new snapshot of 100,000 nodes (a dropped tree of 100 folders
// of 1,000 files, as a capture leaves it) to the tree shown on the screen,
// and what opening its levels costs afterwards.
#include "BenchReport.h"
#include "support/HostWindow.h"
#include "support/TestApp.h"
#include "ui/LeftView.h"
#include "ui/PlexaDoc.h"

#include <psapi.h>

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 999;  // with its folder, 1,000 nodes each

std::unique_ptr<CCBData> Node(std::wstring name, int icon)
{
    auto node = std::make_unique<CCBData>();
    node->m_strName = std::move(name);
    node->m_nIcon = icon;
    return node;
}

std::unique_ptr<CCBDataArray> DroppedTree()
{
    auto drop = Node(L"CF_HDROP", kIconFolder);
    drop->m_pChildren = std::make_unique<CCBDataArray>();
    for (int f = 0; f < kFolders; ++f) {
        auto folder = Node(L"C:\\data\\folder" + std::to_wstring(f), kIconFolder);
        folder->m_pChildren = std::make_unique<CCBDataArray>();
        for (int i = 0; i < kFilesPerFolder; ++i)
            folder->m_pChildren->push_back(Node(L"file" + std::to_wstring(i) + L".txt", kIconData));
        drop->m_pChildren->push_back(std::move(folder));
    }
    auto nodes = std::make_unique<CCBDataArray>();
    nodes->push_back(std::move(drop));
    return nodes;
}

double PeakMiB()
{
    PROCESS_MEMORY_COUNTERS counters{sizeof(counters)};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize / 1048576.0;
}

}  // namespace

int main()
{
    CTestApp app;
    CPlexaDoc doc(app);
    CWnd host;
    CLeftView tree;
    if (!CreateHostWindow(host, RECT{0, 0, 400, 800}) || !tree.Create(host, 0xE900, &doc, RECT{0, 0, 400, 800}))
        return 1;
    ::ShowWindow(host, SW_SHOW);
    const double before = PeakMiB();
    doc.SetSnapshot(DroppedTree(), {}, L"ドロップデータ");
    const double seconds = SecondsOf([&] {
        doc.UpdateAllViews(nullptr, HINT_SNAPSHOT_CHANGED);
        ::UpdateWindow(host);
    });
    const HWND control = tree.GetSafeHwnd();
    const auto expandSeconds = [&](HTREEITEM item) {
        return SecondsOf([&] {
            TreeView_Expand(control, item, TVE_EXPAND);
            ::UpdateWindow(host);
        });
    };
    const HTREEITEM drop = TreeView_GetChild(control, TreeView_GetRoot(control));
    const double dropSeconds = expandSeconds(drop);
    const double folderSeconds = expandSeconds(TreeView_GetChild(control, drop));
    const double allSeconds = SecondsOf([&] {
        for (HTREEITEM folder = TreeView_GetChild(control, drop); folder; folder = TreeView_GetNextSibling(control, folder))
            TreeView_Expand(control, folder, TVE_EXPAND);
        ::UpdateWindow(host);
    });
    const unsigned items = TreeView_GetCount(control);
    PrintRatio("tree-100k", seconds, 2.0);
    PrintDetail("%d folders of %d files under one drop: shown in %.1f ms", kFolders, kFilesPerFolder, seconds * 1000);
    PrintDetail("opening the drop (%d items) %.1f ms, then one folder (%d items) %.1f ms", kFolders, dropSeconds * 1000,
                kFilesPerFolder, folderSeconds * 1000);
    PrintDetail("opening every other folder %.3f s, %.1f us an item; %u items in all", allSeconds,
                allSeconds * 1e6 / (items - kFolders - kFilesPerFolder - 2), items);
    PrintDetail("peak working set %.1f MiB, %.1f MiB more than before the snapshot", PeakMiB(), PeakMiB() - before);
    tree.DestroyWindow();
    host.DestroyWindow();
    return 0;
}
