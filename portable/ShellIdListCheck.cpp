// "Shell IDList Array" (CIDA): the count and the table of offsets, where each
// offset points, and whether each item ID list ends with its terminator.
#include "portable/BufferedCheck.h"
#include "portable/EntryFindings.h"
#include "portable/FormatCheckKinds.h"
#include "portable/ShellIdListLayout.h"

#include <algorithm>
#include <string>
#include <variant>

namespace {

constexpr uint64_t kTableOffset = 4;

class CShellIdListCheck : public CBufferedCheck {
    void Check(ByteSpan held, uint64_t total, FindingList& findings) override
    {
        const auto count = ReadU32(held, 0);
        if (!count) {
            findings.push_back({"shellidlist.offset", FindingSeverity::Error, "no-count", 0, total,
                                {std::to_string(total)}});
            return;
        }
        const uint64_t lists = uint64_t{*count} + 1;
        const uint64_t tableEnd = kTableOffset + 4 * lists;
        if (!Fits(total, kTableOffset, 4 * lists)) {
            findings.push_back({"shellidlist.offset", FindingSeverity::Error, "table", 0, 4,
                                {std::to_string(*count), std::to_string(total)}});
            return;
        }
        if (!Fits(held, kTableOffset, 4 * lists))
            return;   // the table runs past the bytes kept
        // Lists may share bytes, so a hostile table could have the same long
        // list walked once per offset: the walks stop after twice the bytes
        // a table of disjoint lists would take.
        uint64_t budget = 2 * held.size();
        for (uint64_t i = 0; i < lists && findings.size() < kMaxEntryFindings; ++i) {
            const uint64_t field = kTableOffset + 4 * i;
            const uint32_t offset = *ReadU32(held, field);
            if (offset >= total || offset < tableEnd) {
                findings.push_back({"shellidlist.offset", FindingSeverity::Error,
                                    offset >= total ? "outside" : "in-table", field, 4,
                                    {std::to_string(i), std::to_string(offset)}});
            } else if (held.size() == total && budget != 0) {
                const auto walk = WalkIdList(held, offset);
                const auto* fault = std::get_if<IdListFault>(&walk);
                const uint64_t end = fault ? fault->at : offset + std::get<IdListSpan>(walk).size;
                budget -= std::min(budget, end - offset);
                if (fault)
                    findings.push_back({"shellidlist.no-terminator", FindingSeverity::Error,
                                        fault->lengthOne ? "length-one" : "past-end", fault->at,
                                        fault->lengthOne ? 2 : total - fault->at, {std::to_string(i)}});
            }
        }
    }
};

} // namespace

std::unique_ptr<CFormatCheck> MakeShellIdListCheck()
{
    return std::make_unique<CShellIdListCheck>();
}
