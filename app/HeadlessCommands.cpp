#include "app/HeadlessCommands.h"

#include "capture/ClipboardCapture.h"
#include "capture/ClipboardPrivacy.h"
#include "capture/SnapshotSource.h"
#include "framework/Format.h"
#include "framework/Resource.h"
#include "framework/Utf8.h"
#include "res/strings/capture.h"

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
    return FormatString(L"%s: %u 形式、エラー %u 件\r\n", where.c_str(), static_cast<unsigned>(nodes.size()),
                        static_cast<unsigned>(errors));
}

const wchar_t* KindText(SnapshotFormatDifference::Kind kind)
{
    switch (kind) {
    case SnapshotFormatDifference::Kind::Size:
        return L"大きさ";
    case SnapshotFormatDifference::Kind::Bytes:
        return L"バイト";
    case SnapshotFormatDifference::Kind::Children:
        return L"子の数";
    case SnapshotFormatDifference::Kind::Medium:
        return L"媒体";
    }
    return L"";
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
        text += L"A にだけある形式: " + FromUtf8(label) + L"\r\n";
    for (const std::string& label : comparison.onlyInB)
        text += L"B にだけある形式: " + FromUtf8(label) + L"\r\n";
    for (const SnapshotFormatDifference& difference : comparison.different) {
        std::wstring where = FromUtf8(difference.format);
        if (!difference.node.empty())
            where += L" / " + FromUtf8(difference.node);
        text += FormatString(L"異なる形式: %s: %s が異なります（大きさ %llu / %llu、最初の相違はオフセット %llu）\r\n",
                             where.c_str(), KindText(difference.kind),
                             static_cast<unsigned long long>(difference.sizeA),
                             static_cast<unsigned long long>(difference.sizeB),
                             static_cast<unsigned long long>(difference.offset));
    }
    return text + (comparison.Equal() ? L"一致しました。\r\n" : L"相違があります。\r\n");
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
        case CommandKind::Window:
        case CommandKind::Help:
            break;
        }
    } catch (const std::bad_alloc&) {
        return Fail(L"メモリが足りません。");
    }
    return kExitFailed;
}

int CHeadlessCommands::Fail(const std::wstring& message) const
{
    m_console.Error(L"Plexa: " + message + L"\r\n");
    return kExitFailed;
}

int CHeadlessCommands::CaptureClipboardNow(bool force, CSnapshotInfo& info, CCBDataArray& nodes)
{
    CConsoleProgress progress(m_console);
    switch (CaptureClipboard(m_host, progress, force, info, nodes)) {
    case ClipboardCaptureResult::Done:
        return kExitDone;
    case ClipboardCaptureResult::Empty:
        m_console.Error(L"Plexa: クリップボードは空です。\r\n");
        return kExitDifferent;
    case ClipboardCaptureResult::CannotOpen:
        return Fail(ClipboardHolderText());
    case ClipboardCaptureResult::LeftAlone:
        m_console.Error(L"Plexa: " + LoadResString(IDS_PRIVACY_REQUEST) + L"/force を付けると取得します。\r\n");
        return kExitLeftAlone;
    case ClipboardCaptureResult::Stopped:
        break;
    }
    return Fail(L"取得が中止されました。");
}

int CHeadlessCommands::Dump(const std::wstring& folder, bool json, bool force)
{
    CSnapshotInfo info;
    CCBDataArray nodes;
    if (const int status = CaptureClipboardNow(force, info, nodes); status != kExitDone)
        return status;
    std::wstring error;
    if (SaveSnapshotFolder(folder, info, nodes, {}, error) != SnapshotResult::Done)
        return Fail(L"ダンプを書き出せません。" + folder + L"\r\n" + error);
    const size_t errors = CountErrorLines(nodes);
    if (!json) {
        m_console.Out(Summary(folder, nodes, errors));
        return kExitDone;
    }
    const std::unique_ptr<CSnapshotSource> dump = OpenSnapshotSource(folder, error);
    if (!dump)
        return Fail(L"ダンプを読み直せません。" + folder + L"\r\n" + error);
    const nlohmann::json result = {{"folder", ToUtf8(folder)},
                                   {"formats", nodes.size()},
                                   {"errors", errors},
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
        return Fail(L"スナップショットを保存できません。" + file + L"\r\n" + error);
    m_console.Out(Summary(file, nodes, CountErrorLines(nodes)));
    return kExitDone;
}

int CHeadlessCommands::Compare(const std::wstring& first, const std::wstring& second, bool json)
{
    std::wstring error;
    const std::unique_ptr<CSnapshotSource> a = OpenSnapshotSource(first, error);
    if (!a)
        return Fail(L"スナップショットを開けません。" + first + L"\r\n" + error);
    const std::unique_ptr<CSnapshotSource> b = OpenSnapshotSource(second, error);
    if (!b)
        return Fail(L"スナップショットを開けません。" + second + L"\r\n" + error);
    SnapshotComparison comparison;
    if (const auto failure = CompareSnapshots(a->Manifest(), *a, b->Manifest(), *b, comparison)) {
        const CSnapshotSource& source = failure->inA ? *a : *b;
        return Fail(L"スナップショットを読めません。" + (failure->inA ? first : second) + L"\r\n" + source.LastError());
    }
    m_console.Out(json ? FromUtf8(ComparisonJson(comparison)) : ComparisonText(comparison));
    return comparison.Equal() ? kExitDone : kExitDifferent;
}
