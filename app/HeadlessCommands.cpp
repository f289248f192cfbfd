#include "app/HeadlessCommands.h"

#include "app/FindingsReport.h"
#include "capture/ClipboardCapture.h"
#include "capture/ClipboardPrivacy.h"
#include "capture/NodeChecks.h"
#include "capture/SnapshotSource.h"
#include "framework/Format.h"
#include "framework/FrameworkIds.h"
#include "framework/Resource.h"
#include "framework/Utf8.h"
#include "res/strings/app.h"
#include "res/strings/capture.h"
#include "res/strings/viewers.h"

#include <nlohmann/json.hpp>

#include <new>

namespace {

// One line per format taken, so that a slow one shows which it is.
class CConsoleProgress final : public ICaptureProgress {
public:
    explicit CConsoleProgress(const CConsoleOutput& console) : m_console(console) {}

    void ShowItem(const std::wstring& text) override
    {
        if (m_format.empty())
            m_format = text;
    }
    void ShowProgress(uint64_t done, uint64_t total) override
    {
        m_console.Error(FormatString(L"[%llu/%llu] %s\r\n", static_cast<unsigned long long>(done),
                                     static_cast<unsigned long long>(total), m_format.c_str()));
        m_format.clear();
    }
    bool ShouldStop() override { return false; }

private:
    const CConsoleOutput& m_console;
    std::wstring m_format;
};

size_t CountErrorLines(const CCBDataArray& nodes)
{
    size_t count = 0;
    for (const auto& node : nodes) {
        for (const std::wstring& row : node->m_arrInfo)
            count += IsErrorRow(row) ? 1 : 0;
        if (node->m_pChildren)
            count += CountErrorLines(*node->m_pChildren);
    }
    return count;
}

std::wstring Summary(const std::wstring& where, const CCBDataArray& nodes, size_t errors)
{
    return FormatResString(IDS_SUMMARY, where.c_str(), static_cast<unsigned>(nodes.size()),
                           static_cast<unsigned>(errors)) +
           L"\r\n";
}

// The line saying what differs, a sentence of its own for each kind.
UINT DifferenceTextId(SnapshotFormatDifference::Kind kind)
{
    switch (kind) {
    case SnapshotFormatDifference::Kind::Size:
        return IDS_DIFFERENT_SIZE;
    case SnapshotFormatDifference::Kind::Bytes:
        return IDS_DIFFERENT_BYTES;
    case SnapshotFormatDifference::Kind::Children:
        return IDS_DIFFERENT_CHILDREN;
    case SnapshotFormatDifference::Kind::Medium:
        return IDS_DIFFERENT_MEDIUM;
    }
    return IDS_DIFFERENT_BYTES;
}

const char* KindName(SnapshotFormatDifference::Kind kind)
{
    switch (kind) {
    case SnapshotFormatDifference::Kind::Size:
        return "size";
    case SnapshotFormatDifference::Kind::Bytes:
        return "bytes";
    case SnapshotFormatDifference::Kind::Children:
        return "children";
    case SnapshotFormatDifference::Kind::Medium:
        return "medium";
    }
    return "";
}

std::wstring ComparisonText(const SnapshotComparison& comparison)
{
    std::wstring text;
    for (const std::string& label : comparison.onlyInA)
        text += FormatResString(IDS_ONLY_IN_A, FromUtf8(label).c_str()) + L"\r\n";
    for (const std::string& label : comparison.onlyInB)
        text += FormatResString(IDS_ONLY_IN_B, FromUtf8(label).c_str()) + L"\r\n";
    for (const SnapshotFormatDifference& difference : comparison.different) {
        std::wstring where = FromUtf8(difference.format);
        if (!difference.node.empty())
            where += L" / " + FromUtf8(difference.node);
        text += FormatResString(DifferenceTextId(difference.kind), where.c_str(),
                                static_cast<unsigned long long>(difference.sizeA),
                                static_cast<unsigned long long>(difference.sizeB),
                                static_cast<unsigned long long>(difference.offset)) +
                L"\r\n";
    }
    return text + LoadResString(comparison.Equal() ? IDS_SNAPSHOTS_EQUAL : IDS_SNAPSHOTS_DIFFER) + L"\r\n";
}

std::string ComparisonJson(const SnapshotComparison& comparison)
{
    nlohmann::json different = nlohmann::json::array();
    for (const SnapshotFormatDifference& difference : comparison.different)
        different.push_back({{"format", difference.format},
                             {"node", difference.node},
                             {"kind", KindName(difference.kind)},
                             {"sizeA", difference.sizeA},
                             {"sizeB", difference.sizeB},
                             {"offset", difference.offset}});
    const nlohmann::json result = {{"equal", comparison.Equal()},
                                   {"onlyInA", comparison.onlyInA},
                                   {"onlyInB", comparison.onlyInB},
                                   {"different", different}};
    return result.dump(2) + "\n";
}

}

int CHeadlessCommands::Run(const CCommandLine& commandLine)
{
    try {
        const std::vector<std::wstring>& paths = commandLine.paths;
        switch (commandLine.command) {
        case CommandKind::Dump:
            return Dump(paths[0], commandLine.json, commandLine.force);
        case CommandKind::Save:
            return Save(paths[0], commandLine.force);
        case CommandKind::Load:
            return Load(paths[0], commandLine.holdSeconds);
        case CommandKind::Compare:
            return Compare(paths[0], paths[1], commandLine.json);
        case CommandKind::Check:
            return Check(paths.empty() ? std::wstring() : paths[0], commandLine.json, commandLine.strict,
                         commandLine.force);
        case CommandKind::Window:
        case CommandKind::Help:
            break;
        }
    } catch (const std::bad_alloc&) {
        return Fail(LoadResString(IDS_OUT_OF_MEMORY));
    }
    return kExitFailed;
}

void CHeadlessCommands::Say(const std::wstring& message) const
{
    m_console.Error(L"Plexa: " + message + L"\r\n");
}

int CHeadlessCommands::Fail(const std::wstring& message) const
{
    Say(message);
    return kExitFailed;
}

int CHeadlessCommands::CaptureClipboardNow(bool force, CSnapshotInfo& info, CCBDataArray& nodes)
{
    CConsoleProgress progress(m_console);
    switch (CaptureClipboard(m_host, progress, force, info, nodes)) {
    case ClipboardCaptureResult::Done:
        return kExitDone;
    case ClipboardCaptureResult::Empty:
        Say(LoadResString(IDS_CLIPBOARD_EMPTY));
        return kExitDifferent;
    case ClipboardCaptureResult::CannotOpen:
        return Fail(ClipboardHolderText());
    case ClipboardCaptureResult::LeftAlone:
        Say(FormatResString(IDS_FORCE_TAKES_IT, LoadResString(IDS_PRIVACY_REQUEST).c_str()));
        return kExitLeftAlone;
    case ClipboardCaptureResult::Stopped:
        break;
    }
    return Fail(LoadResString(IDS_CAPTURE_STOPPED_LINE));
}

int CHeadlessCommands::Dump(const std::wstring& folder, bool json, bool force)
{
    CSnapshotInfo info;
    CCBDataArray nodes;
    if (const int status = CaptureClipboardNow(force, info, nodes); status != kExitDone)
        return status;
    std::wstring error;
    if (SaveSnapshotFolder(folder, info, nodes, {}, error) != SnapshotResult::Done)
        return Fail(FormatResString(IDS_DUMP_CANNOT_WRITE, folder.c_str(), error.c_str()));
    const size_t errors = CountErrorLines(nodes);
    if (!json) {
        m_console.Out(Summary(folder, nodes, errors));
        return kExitDone;
    }
    const std::unique_ptr<CSnapshotSource> dump = OpenSnapshotSource(folder, error);
    if (!dump)
        return Fail(FormatResString(IDS_DUMP_CANNOT_READ_BACK, folder.c_str(), error.c_str()));
    const nlohmann::json result = {{"folder", ToUtf8(folder)},
                                   {"formats", nodes.size()},
                                   {"errors", errors},
                                   {"findings", FindingsJson(nodes)},
                                   {"manifest", nlohmann::json::parse(WriteManifest(dump->Manifest()))}};
    m_console.Out(FromUtf8(result.dump(2) + "\n"));
    return kExitDone;
}

int CHeadlessCommands::Save(const std::wstring& file, bool force)
{
    CSnapshotInfo info;
    CCBDataArray nodes;
    if (const int status = CaptureClipboardNow(force, info, nodes); status != kExitDone)
        return status;
    std::wstring error;
    if (SaveSnapshotFile(file, info, nodes, {}, error) != SnapshotResult::Done)
        return Fail(FormatResString(IDS_SNAPSHOT_CANNOT_SAVE_LINE, file.c_str(), error.c_str()));
    m_console.Out(Summary(file, nodes, CountErrorLines(nodes)));
    return kExitDone;
}

int CHeadlessCommands::Compare(const std::wstring& first, const std::wstring& second, bool json)
{
    std::wstring error;
    const std::unique_ptr<CSnapshotSource> a = OpenSnapshotSource(first, error);
    if (!a)
        return Fail(FormatResString(IDS_SNAPSHOT_CANNOT_OPEN_LINE, first.c_str(), error.c_str()));
    const std::unique_ptr<CSnapshotSource> b = OpenSnapshotSource(second, error);
    if (!b)
        return Fail(FormatResString(IDS_SNAPSHOT_CANNOT_OPEN_LINE, second.c_str(), error.c_str()));
    SnapshotComparison comparison;
    if (const auto failure = CompareSnapshots(a->Manifest(), *a, b->Manifest(), *b, comparison)) {
        const CSnapshotSource& source = failure->inA ? *a : *b;
        return Fail(FormatResString(IDS_SNAPSHOT_CANNOT_READ_LINE, (failure->inA ? first : second).c_str(),
                                    source.LastError().c_str()));
    }
    m_console.Out(json ? FromUtf8(ComparisonJson(comparison)) : ComparisonText(comparison));
    return comparison.Equal() ? kExitDone : kExitDifferent;
}

int CHeadlessCommands::Check(const std::wstring& path, bool json, bool strict, bool force)
{
    CSnapshotInfo info;
    CCBDataArray nodes;
    if (path.empty()) {
        if (const int status = CaptureClipboardNow(force, info, nodes); status != kExitDone)
            return status;
    } else {
        std::wstring error;
        if (OpenSnapshotFile(path, m_host, {}, info, nodes, error) != SnapshotResult::Done)
            return Fail(FormatResString(IDS_SNAPSHOT_CANNOT_OPEN_LINE, path.c_str(), error.c_str()));
    }
    const std::array<unsigned, 3> counts = CountFindings(nodes);
    if (json) {
        const nlohmann::json result = {{"findings", FindingsJson(nodes)},
                                       {"errors", counts[0]},
                                       {"warnings", counts[1]},
                                       {"notes", counts[2]}};
        m_console.Out(FromUtf8(result.dump(2) + "\n"));
    } else {
        m_console.Out(FindingLines(nodes) + FormatResString(IDS_CHECKS_COUNTS, counts[0], counts[1], counts[2]) +
                      L"\r\n");
    }
    return counts[0] > 0 || (strict && counts[1] > 0) ? kExitDifferent : kExitDone;
}
