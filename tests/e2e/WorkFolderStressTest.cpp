// Three Plexa.exe sharing one working folder, started and closed in random
// order hundreds of times with a paste after every start: no instance may
// lose a file another one removes, and the last to leave takes the folder.
#include "PlexaSession.h"
#include "PlexaWindow.h"
#include "app/WorkFolder.h"
#include "framework/Clipboard.h"
#include "framework/FrameworkIds.h"
#include "framework/Handles.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <random>
#include <set>
#include <string>

namespace {

using CFileSet = std::set<std::wstring>;

void PutTextOnTheClipboard(const char* text)
{
    const CClipboard clipboard(nullptr);
    ::EmptyClipboard();
    CGlobalHandle block(::GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1));
    std::memcpy(CGlobalLock(block).Get(), text, std::strlen(text) + 1);
    if (::SetClipboardData(CF_TEXT, block))
        block.Detach();
}

struct CInstance {
    std::unique_ptr<CPlexaProcess> process;
    CFileSet files;  // what its snapshot keeps in the working folder
};

}  // namespace

TEST_F(PlexaSession, ThreeInstancesStartedAndClosedAtRandomNeverLoseEachOthersFiles)
{
    constexpr int kSteps = 300;
    const std::wstring workFolder = m_temp / kWorkFolderName;
    const auto filesNow = [&] {
        const std::vector<std::wstring> names = ListFolder(workFolder, L"*.cvtmp");
        return CFileSet(names.begin(), names.end());
    };
    PutTextOnTheClipboard("stress");
    std::array<CInstance, 3> instances;
    std::mt19937 random(20261209);
    for (int step = 0; step < kSteps; ++step) {
        CInstance& chosen = instances[random() % instances.size()];
        SCOPED_TRACE(testing::Message() << "step " << step);
        if (chosen.process) {
            ASSERT_EQ(chosen.process->Close(), 0);
            chosen.process.reset();
            chosen.files.clear();
        } else {
            chosen.process = std::make_unique<CPlexaProcess>(m_temp.Path());
            const HWND frame = chosen.process->WaitForMainWindow();
            ASSERT_NE(frame, nullptr);
            const CFileSet before = filesNow();
            ASSERT_TRUE(CPlexaWindow(frame).RunCommand(ID_EDIT_PASTE));
            for (const std::wstring& name : filesNow())
                if (!before.count(name))
                    chosen.files.insert(name);
            ASSERT_FALSE(chosen.files.empty());
        }
        CFileSet kept;
        for (const CInstance& instance : instances)
            kept.insert(instance.files.begin(), instance.files.end());
        ASSERT_EQ(filesNow(), kept) << "exactly the running snapshots' files";
    }
    for (CInstance& instance : instances) {
        if (instance.process) {
            EXPECT_EQ(instance.process->Close(), 0);
        }
    }
    EXPECT_FALSE(DirectoryExists(workFolder)) << "the last instance removes the folder";
}
