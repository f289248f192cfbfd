#include "support/SnapshotOfSource.h"

#include "capture/SnapshotFile.h"
#include "support/CaptureEverything.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

std::vector<std::wstring> SaveSnapshotOf(IDataObject* source, const std::wstring& title, const std::wstring& path)
{
    CTestApp host;
    host.ClaimWorkFolder();
    CFormatEtcArray formats;
    const CCBDataArray nodes = CaptureEverything(source, host, &formats);
    CSnapshotInfo info{title, CurrentTimestamp()};
    GetFormatNames(formats, info.formatNames);
    std::wstring error;
    std::vector<std::wstring> labels;
    if (SaveSnapshotFile(path, info, nodes, {}, error) != SnapshotResult::Done) {
        ADD_FAILURE() << "the snapshot file cannot be written: " << testing::PrintToString(error);
        return labels;
    }
    for (const auto& node : nodes)
        labels.push_back(node->GetLabel());
    return labels;
}
