// "Shell IDList Array" (CIDA): the count and the table of offsets, where each
// offset points, and whether each item ID list ends with its terminator.
#include "portable/BufferedCheck.h"
#include "portable/EntryFindings.h"
#include "portable/FormatCheckKinds.h"
#include "portable/ShellIdListLayout.h"

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
        if (!Fits(total, kTableOffset, 4 * lists)) {
            findings.push_back({"shellidlist.offset", FindingSeverity::Error, "table", 0, 4,
                                {std::to_string(*count), std::to_string(total)}});
            return;
        }
        const auto layout = ReadShellIdListLayout(held);
        if (!layout)
            return;   // the table runs past the bytes kept
        const bool whole = held.size() == total;
        const uint64_t tableEnd = kTableOffset + 4 * lists;
        for (uint64_t i = 0; i < lists && findings.size() < kMaxEntryFindings; ++i) {
            const uint64_t field = kTableOffset + 4 * i;
            const uint32_t offset = *ReadU32(held, field);
            if (offset >= total || offset < tableEnd)
                findings.push_back({"shellidlist.offset", FindingSeverity::Error,
                                    offset >= total ? "outside" : "in-table", field, 4,
                                    {std::to_string(i), std::to_string(offset)}});
            else if (whole && !(i == 0 ? layout->parent : layout->items[i - 1]))
                AddBreak(held, i, offset, findings);
        }
    }

    static void AddBreak(ByteSpan bytes, uint64_t index, uint64_t offset, FindingList& findings)
    {
        const auto fault = std::get<IdListFault>(WalkIdList(bytes, offset));
        findings.push_back({"shellidlist.no-terminator", FindingSeverity::Error,
                            fault.lengthOne ? "length-one" : "past-end", fault.at,
                            fault.lengthOne ? 2 : bytes.size() - fault.at, {std::to_string(index)}});
    }
};

} // namespace

std::unique_ptr<CFormatCheck> MakeShellIdListCheck()
{
    return std::make_unique<CShellIdListCheck>();
}
