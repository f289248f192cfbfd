// The format checks: whatever the bytes and however they are cut into
// pieces, every finding concerns bytes that were fed, carries an id of its
// kind's family, and the findings are the same as for the bytes in one piece.
#include "FuzzSupport.h"
#include "portable/FormatCheck.h"

#include <string>

namespace {

constexpr int kLastKind = static_cast<int>(CheckKind::WebCustomMap);

// A file group's delivered sizes and the offered names, drawn from the input
// so that the checks comparing with them are reached too.
CheckContext ContextOf(uint8_t seed)
{
    CheckContext context;
    if (seed & 1) {
        std::vector<std::optional<uint64_t>> sizes;
        for (int i = 0; i < (seed >> 4); ++i)
            sizes.push_back(i % 3 == 2 ? std::nullopt : std::optional<uint64_t>(uint64_t{seed} * i));
        context.fileContentsSizes = std::move(sizes);
    }
    if (seed & 2)
        context.offeredFormats = std::vector<std::wstring>{L"Web Custom Format0", L"HTML Format"};
    return context;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first byte chooses the kind, the second the piece size, the third the context.
    if (size < 3)
        return 0;
    const auto kind = static_cast<CheckKind>(1 + data[0] % kLastKind);
    const size_t pieceSize = 1 + data[1];
    const CheckContext context = ContextOf(data[2]);
    const ByteSpan bytes(data + 3, size - 3);

    const FindingList whole = CheckBytes(kind, bytes, context);
    for (const Finding& finding : whole) {
        Require(!finding.id.empty() && finding.id.find('.') != std::string::npos);
        if (finding.offset)
            Require(Fits(bytes, *finding.offset, finding.length));
        else
            Require(finding.length == 0);
    }
    Require(CheckBytes(kind, bytes, context, pieceSize) == whole);
    return 0;
}
