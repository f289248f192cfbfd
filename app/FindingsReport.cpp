#include "app/FindingsReport.h"

#include "capture/FindingText.h"
#include "capture/FormatNames.h"
#include "framework/Format.h"
#include "framework/Utf8.h"

#include <array>
#include <functional>

namespace {

// Names that never change with the interface's language.
constexpr std::array<const char*, 3> kSeverityIds{"error", "warning", "note"};

using FindingVisitor = std::function<void(const nlohmann::json& path, const std::string& format, const Finding&)>;

void VisitFindings(const CCBDataArray& nodes, const std::string& format, nlohmann::json& path,
                   const FindingVisitor& visit)
{
    for (size_t i = 0; i < nodes.size(); ++i) {
        const CCBData& node = *nodes[i];
        path.push_back(i);
        const std::string nodeFormat = path.size() == 1 ? ToUtf8(GetFormatName(node.m_fmt.cfFormat)) : format;
        for (const Finding& finding : node.m_findings)
            visit(path, nodeFormat, finding);
        if (node.m_pChildren)
            VisitFindings(*node.m_pChildren, nodeFormat, path, visit);
        path.erase(path.size() - 1);
    }
}

void VisitFindings(const CCBDataArray& nodes, const FindingVisitor& visit)
{
    nlohmann::json path = nlohmann::json::array();
    VisitFindings(nodes, {}, path, visit);
}

}  // namespace

nlohmann::json FindingsJson(const CCBDataArray& nodes)
{
    nlohmann::json out = nlohmann::json::array();
    VisitFindings(nodes, [&](const nlohmann::json& path, const std::string& format, const Finding& finding) {
        nlohmann::json item = {{"node", path},
                               {"format", format},
                               {"severity", kSeverityIds[static_cast<size_t>(finding.severity)]},
                               {"id", finding.id}};
        if (finding.offset) {
            item["offset"] = *finding.offset;
            item["length"] = finding.length;
        }
        item["values"] = finding.values;
        item["message"] = ToUtf8(FindingMessage(finding));
        out.push_back(std::move(item));
    });
    return out;
}

std::wstring FindingLines(const CCBDataArray& nodes)
{
    std::wstring lines;
    VisitFindings(nodes, [&](const nlohmann::json& path, const std::string& format, const Finding& finding) {
        std::wstring where;
        for (const auto& index : path)
            where += (where.empty() ? L"" : L"/") + std::to_wstring(index.get<size_t>());
        lines += FromUtf8(kSeverityIds[static_cast<size_t>(finding.severity)]) + L"\t" + FromUtf8(finding.id) +
                 L"\t" + where + L" " + FromUtf8(format) + L"\t";
        if (finding.offset)
            lines += FormatString(L"0x%llX+%llu", static_cast<unsigned long long>(*finding.offset),
                                  static_cast<unsigned long long>(finding.length));
        lines += L"\t" + FindingMessage(finding) + L"\r\n";
    });
    return lines;
}
