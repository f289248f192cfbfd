// PLACEHOLDER until the check is written.
#include "portable/BufferedCheck.h"
#include "portable/FormatCheckKinds.h"

namespace {
class CPlaceholder : public CBufferedCheck {
    void Check(ByteSpan, uint64_t, FindingList&) override {}
};
}  // namespace

std::unique_ptr<CFormatCheck> MakeShellIdListCheck()
{
    return std::make_unique<CPlaceholder>();
}
