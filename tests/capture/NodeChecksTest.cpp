// The checks of a snapshot beyond each format's own bytes: a file group hears
// what its FileContents delivered, also once saved and opened again, and
// failures and missing dropped files are findings. That the findings of a
// capture and of an opened file are those of the bytes is the journeys' (e2e).
#include "capture/NodeChecks.h"
#include "capture/SnapshotFile.h"
#include "framework/Utf8.h"
#include "support/CaptureEverything.h"
#include "support/DropListBytes.h"
#include "support/FileGroupBytes.h"
#include "support/TestApp.h"
#include "support/TestDataObject.h"

#include <gtest/gtest.h>

namespace {

CLIPFORMAT Registered(const wchar_t* name)
{
    return static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(name));
}

class NodeChecksTest : public testing::Test {
protected:
    void SetUp() override { m_app.ClaimWorkFolder(); }

    // The snapshot saved and opened again, checked as an opened one.
    CCBDataArray Reopened(const CCBDataArray& nodes)
    {
        const std::wstring path = m_app.m_tempRoot / L"checked.plexa";
        std::wstring error;
        EXPECT_EQ(SaveSnapshotFile(path, {}, nodes, {}, error), SnapshotResult::Done) << ToUtf8(error);
        CSnapshotInfo info;
        CCBDataArray opened;
        EXPECT_EQ(OpenSnapshotFile(path, m_app, {}, info, opened, error), SnapshotResult::Done) << ToUtf8(error);
        return opened;
    }

    CTestApp m_app;
};

}  // namespace

TEST_F(NodeChecksTest, AFileGroupIsCheckedAgainstWhatFileContentsDelivered)
{
    CBytes group = FileGroupW({L"five.txt", L"three.txt", L"failed.txt"}, 3);
    for (uint32_t i = 0; i < 3; ++i) {
        Put32(group, 4 + i * 592, 0x40);  // FD_FILESIZE
        Put32(group, 4 + i * 592 + 68, 5);
    }
    auto source = CTestDataObject::Create();
    source->Offer({.cf = Registered(L"FileGroupDescriptorW")}, CTestMedium::Global(group));
    source->Offer({.cf = Registered(L"FileContents")})
        .At(0, CTestMedium::Global(BytesOf("12345")))
        .At(1, CTestMedium::Global(BytesOf("123")))
        .At(2, CTestAnswer::Fail(E_FAIL));
    const CCBDataArray nodes = CaptureEverything(source, m_app);
    CheckContext context;
    context.fileContentsSizes = std::vector<std::optional<uint64_t>>{5, 3, std::nullopt};
    const FindingList expected = CheckBytes(CheckKind::FileGroupW, group, context);
    EXPECT_EQ(nodes[0]->m_findings, expected);
    EXPECT_EQ(Reopened(nodes)[0]->m_findings, expected);
}

TEST_F(NodeChecksTest, FailuresAndMissingDroppedFilesAreFindings)
{
    const std::wstring present = m_app.m_tempRoot / L"present.txt";
    const std::wstring missing = m_app.m_tempRoot / L"missing.txt";
    WriteFileBytes(present, "here");
    auto source = CTestDataObject::Create();
    source->Offer({.cf = CF_HDROP}, CTestMedium::Global(DropList({BytesOf(present), BytesOf(missing)}, true)));
    source->Offer({.cf = Registered(L"Plexa failing format")}, CTestAnswer::Fail(E_FAIL));
    source->Offer({.cf = Registered(L"SAVE_TARGETS")}, CTestAnswer::Fail(E_FAIL));
    const CCBDataArray nodes = CaptureEverything(source, m_app);
    ASSERT_EQ(nodes.size(), 3u);

    const auto ids = [](const CCBData& node) {
        std::vector<std::pair<std::string, FindingSeverity>> found;
        for (const Finding& finding : node.m_findings)
            found.emplace_back(finding.id, finding.severity);
        return found;
    };
    using Found = std::vector<std::pair<std::string, FindingSeverity>>;
    EXPECT_EQ(ids(*nodes[0]), (Found{{"hdrop.missing-file", FindingSeverity::Note}}));
    EXPECT_EQ(nodes[0]->m_findings[0].values, std::vector<std::string>{ToUtf8(missing)});
    EXPECT_EQ(ids(*nodes[1]), (Found{{"capture.error", FindingSeverity::Error}}));
    EXPECT_EQ(ids(*nodes[2]), (Found{{"capture.error", FindingSeverity::Note}})) << "a target that carries no data";
    EXPECT_EQ(WorstSeverity(nodes), FindingSeverity::Error);

    const CCBDataArray opened = Reopened(nodes);
    EXPECT_TRUE(ids(*opened[0]).empty()) << "whether a file exists is a fact of the capture only";
    EXPECT_EQ(ids(*opened[1]), ids(*nodes[1]));
}
