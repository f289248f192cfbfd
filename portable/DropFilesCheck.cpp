// CF_HDROP: where pFiles points, the list's closing empty path, and paths
// that are not absolute. Whether the files exist is the capture's to say.
#include "portable/BufferedCheck.h"
#include "portable/DropFilesLayout.h"
#include "portable/EntryFindings.h"
#include "portable/FormatCheckKinds.h"
#include "portable/NameText.h"
#include "portable/PathRules.h"

#include <string>

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
        if (*ReadU32(held, 16) != 0)
            CheckPaths<char16_t>(held, files, total, findings);
        else
            CheckPaths<char>(held, files, total, findings);
    }

    // The paths are walked one at a time: a block of millions is never copied whole.
    template <class Char>
    static void CheckPaths(ByteSpan held, uint64_t files, uint64_t total, FindingList& findings)
    {
        bool any = false;
        const bool complete = ForEachDropPath<Char>(held, files, [&](uint64_t offset, const auto& path) {
            any = true;
            if (findings.size() < kMaxEntryFindings && !IsAbsolutePath(path))
                findings.push_back({"hdrop.relative-path", FindingSeverity::Warning, "", offset,
                                    (path.size() + 1) * sizeof(Char), {NameText(path)}});
        });
        // The closing empty path may lie past the bytes kept.
        if (!complete && held.size() == total)
            findings.push_back({"hdrop.no-terminator", FindingSeverity::Error, "", files, total - files});
        if (complete && !any)
            findings.push_back({"hdrop.empty", FindingSeverity::Warning, "", files, sizeof(Char)});
    }
};

} // namespace

std::unique_ptr<CFormatCheck> MakeDropFilesCheck()
{
    return std::make_unique<CDropFilesCheck>();
}
