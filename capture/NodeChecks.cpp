#include "capture/NodeChecks.h"

#include "capture/AnsiText.h"
#include "capture/FileGroupMatch.h"
#include "capture/FormatNames.h"
#include "capture/RegisteredFormats.h"
#include "framework/Utf8.h"
#include "portable/DropFilesLayout.h"
#include "portable/FileGroupLayout.h"

#include <algorithm>
#include <type_traits>
#include <variant>

namespace {

constexpr char kCaptureError[] = "capture.error";
constexpr char kMissingFile[] = "hdrop.missing-file";
// A drop list is read whole to look its paths up; larger ones are not.
constexpr size_t kMaxDropListBytes = 64u << 20;
// Larger file groups are not read to look a record up.
constexpr uint64_t kMaxGroupBytes = 64u << 20;

bool NeedsSnapshot(CheckKind kind)
{
    return kind == CheckKind::FileGroupW || kind == CheckKind::FileGroupA || kind == CheckKind::WebCustomMap;
}

bool HasBytes(const CCBData& node)
{
    return !node.m_strTempFile.empty();
}

// What a storage delivered in place of bytes counts as the size the record
// states: it has no count of bytes to compare.
uint64_t StatedSize(const CCBData& group, size_t index)
{
    const std::vector<BYTE> bytes = group.LoadHead(static_cast<size_t>(std::min<uint64_t>(group.m_nSize, kMaxGroupBytes)));
    const auto sizeOf = [&](const auto& files) {
        return index < files.size() ? (uint64_t{files[index].fileSizeHigh} << 32) | files[index].fileSizeLow : 0;
    };
    return group.m_fmt.cfFormat == g_cfFileGroupDescriptorW ? sizeOf(ReadFileGroupW(bytes).files)
                                                            : sizeOf(ReadFileGroupA(bytes).files);
}

// The bytes FileContents delivered for each index of the file group `group`;
// nullopt when no FileContents format belongs to it.
std::optional<std::vector<std::optional<uint64_t>>> DeliveredContents(const CCBDataArray& nodes,
                                                                        const CCBData& group)
{
    const auto formatOf = [](const auto& item) -> const FORMATETC& { return item->m_fmt; };
    for (const auto& node : nodes) {
        if (node->m_fmt.cfFormat != g_cfFileContents || !node->m_pChildren)
            continue;
        // By format, not by class: an opened snapshot's nodes are of the kinds its manifest names.
        const auto* descriptor = FindDescriptorFor(nodes, node->m_fmt.dwAspect, formatOf);
        if (!descriptor || descriptor->get() != &group)
            continue;
        std::vector<std::optional<uint64_t>> sizes;
        for (const auto& file : *node->m_pChildren) {
            const auto index = static_cast<size_t>(std::max<LONG>(file->m_fmt.lindex, 0));
            if (sizes.size() <= index)
                sizes.resize(index + 1);
            if (file->m_tymedActual == TYMED_ISTORAGE)
                sizes[index] = StatedSize(group, index);
            else if (HasBytes(*file))
                sizes[index] = file->m_nSize;
        }
        return sizes;
    }
    return std::nullopt;
}

CheckContext ContextFor(const CCBDataArray& nodes, const CCBData& node, CheckKind kind)
{
    CheckContext context;
    if (kind == CheckKind::FileGroupW || kind == CheckKind::FileGroupA)
        context.fileContentsSizes = DeliveredContents(nodes, node);
    if (kind == CheckKind::WebCustomMap) {
        std::vector<std::wstring> names;
        for (const auto& offered : nodes)
            names.push_back(RegisteredFormatName(offered->m_fmt.cfFormat));
        context.offeredFormats = std::move(names);
    }
    return context;
}

FindingList CheckStoredBytes(const CCBDataArray& nodes, const CCBData& node, CheckKind kind)
{
    auto check = MakeFormatCheck(kind, node.m_nSize, ContextFor(nodes, node, kind));
    if (!check)
        return {};
    const auto read = node.ReadPieces([&](std::span<const BYTE> piece, uint64_t) {
        check->Consume(piece);
        return true;
    });
    // Bytes that cannot be read again say nothing about the format.
    return read == CCBData::PiecesResult::Read ? check->Finish() : FindingList{};
}

template <class Paths>
void AddMissingFiles(const Paths& paths, FindingList& findings)
{
    for (const auto& path : paths) {
        const std::wstring name = [&] {
            if constexpr (std::is_same_v<typename Paths::value_type, std::u16string>)
                return std::wstring(path.begin(), path.end());
            else
                return AnsiToWide(path);
        }();
        if (::GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES)
            findings.push_back({kMissingFile, FindingSeverity::Note, {}, std::nullopt, 0, {ToUtf8(name)}});
    }
}

void CheckDroppedFilesExist(const CCBData& node, FindingList& findings)
{
    if (node.m_nSize > kMaxDropListBytes)
        return;
    const std::vector<BYTE> bytes = node.LoadHead(static_cast<size_t>(node.m_nSize));
    const auto list = ReadDropFiles(bytes);
    if (list)
        std::visit([&](const auto& paths) { AddMissingFiles(paths, findings); }, list->paths);
}

// Targets of the X11 selection protocol that carry no data: Wine's bridge
// lists some of them as formats, and a failure to fetch one is no fault of the data.
bool IsX11ProtocolTarget(const FORMATETC& fmt)
{
    const std::wstring name = RegisteredFormatName(fmt.cfFormat);
    for (const wchar_t* target : {L"SAVE_TARGETS", L"TARGETS", L"MULTIPLE", L"TIMESTAMP"})
        if (name == target)
            return true;
    return false;
}

void AddErrorRowFindings(CCBDataArray& nodes, bool topLevel)
{
    for (const auto& node : nodes) {
        const FindingSeverity severity =
            topLevel && IsX11ProtocolTarget(node->m_fmt) ? FindingSeverity::Note : FindingSeverity::Error;
        for (const std::wstring& row : node->m_arrInfo)
            if (IsErrorRow(row))
                node->m_findings.push_back(
                    {kCaptureError, severity, {}, std::nullopt, 0, {ToUtf8(row.substr(row.find(L'\t') + 1))}});
        if (node->m_pChildren)
            AddErrorRowFindings(*node->m_pChildren, false);
    }
}

}  // namespace

CheckKind CheckKindOf(const FORMATETC& fmt)
{
    return CheckKindOfFormat(fmt.cfFormat, RegisteredFormatName(fmt.cfFormat));
}

CheckKind CopyCheckKindOf(const FORMATETC& fmt)
{
    const CheckKind kind = CheckKindOf(fmt);
    return NeedsSnapshot(kind) ? CheckKind::None : kind;
}

void CheckSnapshot(CCBDataArray& nodes, CheckMoment moment)
{
    for (const auto& node : nodes) {
        const CheckKind kind = CheckKindOf(node->m_fmt);
        if (node->m_pCheck)
            node->m_findings = std::exchange(node->m_pCheck, nullptr)->Finish();
        else if (HasBytes(*node))
            node->m_findings = CheckStoredBytes(nodes, *node, kind);
        if (moment == CheckMoment::Captured && kind == CheckKind::DropFiles && HasBytes(*node))
            CheckDroppedFilesExist(*node, node->m_findings);
    }
    AddErrorRowFindings(nodes, true);
}

void CollectFindings(const CCBDataArray& nodes, std::vector<NodeFinding>& out)
{
    for (const auto& node : nodes) {
        for (const Finding& finding : node->m_findings)
            out.push_back({node.get(), &finding});
        if (node->m_pChildren)
            CollectFindings(*node->m_pChildren, out);
    }
}

std::array<unsigned, 3> CountFindings(const CCBDataArray& nodes)
{
    std::vector<NodeFinding> findings;
    CollectFindings(nodes, findings);
    std::array<unsigned, 3> counts{};
    for (const NodeFinding& found : findings)
        ++counts[static_cast<size_t>(found.finding->severity)];
    return counts;
}

namespace {

void TakeWorse(std::optional<FindingSeverity>& worst, FindingSeverity severity)
{
    // Error comes first in FindingSeverity.
    if (!worst || severity < *worst)
        worst = severity;
}

}  // namespace

std::optional<FindingSeverity> WorstSeverity(const CCBData& node)
{
    std::optional<FindingSeverity> worst;
    for (const Finding& finding : node.m_findings)
        TakeWorse(worst, finding.severity);
    return worst;
}

std::optional<FindingSeverity> WorstSeverity(const CCBDataArray& nodes)
{
    std::vector<NodeFinding> findings;
    CollectFindings(nodes, findings);
    std::optional<FindingSeverity> worst;
    for (const NodeFinding& found : findings)
        TakeWorse(worst, found.finding->severity);
    return worst;
}
