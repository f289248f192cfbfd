#include "app/FindingsJson.h"

#include "capture/FindingText.h"
#include "capture/FormatNames.h"
#include "framework/Utf8.h"

#include <array>

namespace {

// Names that never change with the interface's language.
constexpr std::array<const char*, 3> kSeverityIds{"error", "warning", "note"};

void AddFindings(const CCBDataArray& nodes, const std::string& format, nlohmann::json& path, nlohmann::json& out)
{
    for (size_t i = 0; i < nodes.size(); ++i) {
        const CCBData& node = *nodes[i];
        path.push_back(i);
        const std::string nodeFormat = path.size() == 1 ? ToUtf8(GetFormatName(node.m_fmt.cfFormat)) : format;
        for (const Finding& finding : node.m_findings) {
            nlohmann::json item = {{"node", path},
                                   {"format", nodeFormat},
                                   {"severity", kSeverityIds[static_cast<size_t>(finding.severity)]},
                                   {"id", finding.id}};
            if (finding.offset) {
                item["offset"] = *finding.offset;
                item["length"] = finding.length;
            }
            item["values"] = finding.values;
            item["message"] = ToUtf8(FindingMessage(finding));
            out.push_back(std::move(item));
        }
        if (node.m_pChildren)
            AddFindings(*node.m_pChildren, nodeFormat, path, out);
        path.erase(path.size() - 1);
    }
}

}  // namespace

nlohmann::json FindingsJson(const CCBDataArray& nodes)
{
    nlohmann::json out = nlohmann::json::array();
    nlohmann::json path = nlohmann::json::array();
    AddFindings(nodes, {}, path, out);
    return out;
}
