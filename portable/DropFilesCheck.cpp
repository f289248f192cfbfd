// CF_HDROP: where pFiles points, the list's closing empty path, and paths
// that are not absolute. Whether the files exist is the capture's to say.
#include "portable/BufferedCheck.h"
#include "portable/EntryFindings.h"
#include "portable/DropFilesLayout.h"
#include "portable/FormatCheckKinds.h"
#include "portable/NameText.h"
#include "portable/PathRules.h"

#include <string>
#include <variant>
#include <vector>

namespace {

constexpr uint64_t kHeaderSize = 20;

class CDropFilesCheck : public CBufferedCheck {
    void Check(ByteSpan held, uint64_t total, FindingList& findings) override
    {
        if (total < kHeaderSize) {
            findings.push_back({"hdrop.offset", FindingSeverity::Error, "short", 0, total, {std::to_string(total)}});
            return;
        }
        const uint32_t files = *ReadU32(held, 0);
        if (files < kHeaderSize) {
            findings.push_back({"hdrop.offset", FindingSeverity::Error, "in-header", 0, 4, {std::to_string(files)}});
            return;
        }
        if (files > total) {
            findings.push_back({"hdrop.offset", FindingSeverity::Error, "outside", 0, 4,
                               {std::to_string(files), std::to_string(total)}});
            return;
        }
        const auto list = ReadDropFiles(held);
        if (!list)
            return;   // the paths start past the bytes kept
        const bool whole = held.size() == total;
        std::visit([&](const auto& paths) { CheckPaths(paths, files, list->complete, findings); },
                   list->paths);
        if (!list->complete && whole)
            findings.push_back({"hdrop.no-terminator", FindingSeverity::Error, "", files, total - files});
    }

    template <class String>
    static void CheckPaths(const std::vector<String>& paths, uint64_t offset, bool complete, FindingList& findings)
    {
        constexpr uint64_t unit = sizeof(typename String::value_type);
        if (paths.empty() && complete)
            findings.push_back({"hdrop.empty", FindingSeverity::Warning, "", offset, unit});
        for (size_t i = 0; i < paths.size() && findings.size() < kMaxEntryFindings; ++i) {
            const String& path = paths[i];
            const uint64_t length = (path.size() + 1) * unit;
            if (!IsAbsolutePath(path))
                findings.push_back({"hdrop.relative-path", FindingSeverity::Warning, "", offset, length,
                                   {NameText(path)}});
            offset += length;
        }
    }
};

} // namespace

std::unique_ptr<CFormatCheck> MakeDropFilesCheck()
{
    return std::make_unique<CDropFilesCheck>();
}
