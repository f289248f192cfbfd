// FileGroupDescriptorW and FileGroupDescriptor: the count against the
// records present, each name as a target would create it, and each record
// against what FileContents delivered for its index.
#include "portable/BufferedCheck.h"
#include "portable/EntryFindings.h"
#include "portable/FileGroupLayout.h"
#include "portable/FormatCheckKinds.h"
#include "portable/NameText.h"
#include "portable/PathRules.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr uint32_t kFdAttributes = 0x04;
constexpr uint32_t kFdFileSize = 0x40;
constexpr uint32_t kFileAttributeDirectory = 0x10;
constexpr uint64_t kSizeOffset = 64;   // nFileSizeHigh, then nFileSizeLow

// By NameFault, None first.
constexpr std::array<const char*, 8> kFaultVariants{"",           "empty",  "absolute", "drive",
                                                    "characters", "parent", "device",   "trailing"};

using DeliveredSizes = std::optional<std::vector<std::optional<uint64_t>>>;

class CFileGroupCheck : public CBufferedCheck {
public:
    CFileGroupCheck(bool wide, DeliveredSizes delivered) : m_bWide(wide), m_delivered(std::move(delivered)) {}

private:
    void Check(ByteSpan held, uint64_t total, FindingList& findings) override
    {
        if (m_bWide)
            CheckGroup(held, ReadFileGroupW(held), total, findings);
        else
            CheckGroup(held, ReadFileGroupA(held), total, findings);
    }

    template <class Char>
    void CheckGroup(ByteSpan held, const FileGroup<Char>& group, uint64_t total, FindingList& findings) const
    {
        constexpr uint64_t kRecordSize = kFileGroupRecordSize<Char>;
        const auto count = ReadU32(held, 0);
        if (!count) {
            findings.push_back({"filegroup.short", FindingSeverity::Error, "no-count", 0, total,
                               {std::to_string(total)}});
            return;
        }
        // Counted from the block's size: records past the bytes kept are there too.
        const uint64_t present = (total - kFileGroupCountSize) / kRecordSize;
        if (*count > present)
            findings.push_back({"filegroup.short", FindingSeverity::Error, "records", 0, 4,
                               {std::to_string(*count), std::to_string(present)}});
        for (size_t i = 0; i < group.files.size() && findings.size() < kMaxEntryFindings; ++i)
            CheckRecord(group.files[i], i, kFileGroupCountSize + i * kRecordSize, findings);
    }

    template <class Char>
    void CheckRecord(const FileDescriptor<Char>& file, uint64_t index, uint64_t at, FindingList& findings) const
    {
        constexpr uint64_t unit = sizeof(Char);
        const uint64_t nameAt = at + kFileGroupNameOffset;
        const std::string name = NameText(std::basic_string_view<Char>(file.name));
        if (!file.nameTerminated)
            findings.push_back({"filegroup.name-terminator", FindingSeverity::Error, "", nameAt,
                               kFileGroupNameUnits * unit, {std::to_string(index)}});
        if (const NameFault fault = FindNameFault(std::basic_string_view<Char>(file.name)); fault != NameFault::None)
            findings.push_back({"filegroup.unsafe-name", FindingSeverity::Error,
                               kFaultVariants[static_cast<size_t>(fault)], nameAt,
                               std::max<uint64_t>(file.name.size(), 1) * unit, {std::to_string(index), name}});

        const bool directory = (file.flags & kFdAttributes) && (file.attributes & kFileAttributeDirectory);
        if (!m_delivered || directory)
            return;
        const auto delivered = index < m_delivered->size() ? (*m_delivered)[index] : std::nullopt;
        if (!delivered) {
            findings.push_back({"filegroup.contents-missing", FindingSeverity::Error, "", at,
                               kFileGroupRecordSize<Char>, {std::to_string(index), name}});
            return;
        }
        const uint64_t stated = uint64_t{file.fileSizeHigh} << 32 | file.fileSizeLow;
        if ((file.flags & kFdFileSize) && stated != *delivered)
            findings.push_back({"filegroup.size-mismatch", FindingSeverity::Warning, "", at + kSizeOffset, 8,
                               {std::to_string(index), name, std::to_string(stated), std::to_string(*delivered)}});
    }

    bool m_bWide;
    DeliveredSizes m_delivered;
};

} // namespace

std::unique_ptr<CFormatCheck> MakeFileGroupCheck(bool wide, const CheckContext& context)
{
    return std::make_unique<CFileGroupCheck>(wide, context.fileContentsSizes);
}
