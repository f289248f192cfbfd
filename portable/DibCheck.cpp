// CF_DIB and CF_DIBV5: the header's fields, whether the block holds the
// colour table and every pixel row, the colour profile, and the alpha rules
// of 32-bit pixels. The header is kept; the pixels stream past.
#include "portable/DibAlphaScan.h"
#include "portable/DibLayout.h"
#include "portable/FormatCheckKinds.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kV3HeaderSize = 56;   // the first with an alpha mask
constexpr uint32_t kV5HeaderSize = 124;
constexpr std::array<uint32_t, 6> kHeaderSizes{kCoreHeaderSize, kInfoHeaderSize, 52, kV3HeaderSize, 108,
                                               kV5HeaderSize};
// The largest header and the four masks that may follow it.
constexpr size_t kKeptSize = kV5HeaderSize + 16;
constexpr uint64_t kMasksOffset = 40;
constexpr uint64_t kAlphaMaskOffset = 52;

enum : uint32_t { kRgb, kRle8, kRle4, kBitFields, kJpeg, kPng, kAlphaBitFields };
constexpr std::array<const char*, 7> kCompressionNames{"BI_RGB",  "BI_RLE8", "BI_RLE4",          "BI_BITFIELDS",
                                                       "BI_JPEG", "BI_PNG",  "BI_ALPHABITFIELDS"};

FindingSeverity SeverityOf(std::string_view id)
{
    if (id == "dib.size-image" || id == "dib.alpha-empty" || id == "dib.core-header" || id == "dib.not-v5")
        return FindingSeverity::Warning;
    if (id == "dib.alpha-straight" || id == "dib.top-down")
        return FindingSeverity::Note;
    return FindingSeverity::Error;
}

bool IsUncompressed(uint32_t compression)
{
    return compression == kRgb || compression == kBitFields || compression == kAlphaBitFields;
}

uint32_t MaskCount(uint32_t compression)
{
    return compression == kBitFields ? 3 : compression == kAlphaBitFields ? 4 : 0;
}

bool BitCountFits(uint32_t compression, uint16_t bitCount)
{
    switch (compression) {
    case kRle8:
        return bitCount == 8;
    case kRle4:
        return bitCount == 4;
    case kBitFields:
    case kAlphaBitFields:
        return bitCount == 16 || bitCount == 32;
    default:
        return true;
    }
}

bool IsByteMask(uint32_t mask)
{
    return mask == 0xFF || mask == 0xFF00 || mask == 0xFF0000;
}

// The fields both header families share, with where each lies: a
// BITMAPCOREHEADER has 16-bit sizes and no compression.
struct Fields {
    bool core = false;
    int64_t width = 0;
    int64_t height = 0;
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t compression = kRgb;
    std::optional<uint32_t> sizeImage;
    uint32_t colorsUsed = 0;
    uint64_t entrySize = 4;    // RGBQUAD, or RGBTRIPLE after a core header
    uint64_t sizeLength = 4;   // of the width and height fields
    uint64_t heightAt = 8;
    uint64_t planesAt = 12;
    uint64_t bitCountAt = 14;
};

Fields ReadFields(ByteSpan head, uint32_t headerSize)
{
    Fields f;
    if (headerSize == kCoreHeaderSize) {
        f.core = true;
        f.width = *ReadU16(head, 4);
        f.height = *ReadU16(head, 6);
        f.planes = *ReadU16(head, 8);
        f.bitCount = *ReadU16(head, 10);
        f.entrySize = 3;
        f.sizeLength = 2;
        f.heightAt = 6;
        f.planesAt = 8;
        f.bitCountAt = 10;
        return f;
    }
    f.width = *ReadI32(head, 4);
    f.height = *ReadI32(head, 8);
    f.planes = *ReadU16(head, 12);
    f.bitCount = *ReadU16(head, 14);
    f.compression = *ReadU32(head, 16);
    f.sizeImage = *ReadU32(head, 20);
    f.colorsUsed = *ReadU32(head, 32);
    return f;
}

class CDibCheck : public CFormatCheck {
public:
    explicit CDibCheck(bool v5) : m_bV5(v5) { m_head.reserve(kKeptSize); }

    void Consume(ByteSpan piece) override
    {
        if (!m_bPlanned) {
            const size_t kept = std::min(piece.size(), kKeptSize - m_head.size());
            m_head.insert(m_head.end(), piece.begin(), piece.begin() + kept);
            m_nConsumed += kept;
            piece = piece.subspan(kept);
            if (m_head.size() < kKeptSize)
                return;
            Plan();
        }
        m_alpha.Feed(piece, m_nConsumed);
        m_nConsumed += piece.size();
    }

    FindingList Finish() override
    {
        if (!m_bPlanned)
            Plan();
        if (m_nNeeded > m_nConsumed)
            Add("dib.short", "", m_nConsumed, 0, {std::to_string(m_nNeeded), std::to_string(m_nConsumed)});
        if (m_profile && !Fits(m_nConsumed, m_profile->first, m_profile->second))
            Add("dib.profile", "", kDibProfileOffset, 8,
                {std::to_string(m_profile->first), std::to_string(m_profile->second)});
        if (m_alpha.Started()) {
            // The alpha of a cut block may be set only in the part that is missing.
            if (!m_alpha.AnyAlpha() && m_nConsumed >= m_alpha.End())
                Add("dib.alpha-empty", "", m_alpha.Begin(), m_alpha.End() - m_alpha.Begin());
            else if (m_alpha.AnyAlpha() && m_alpha.FirstStraight())
                Add("dib.alpha-straight", "", *m_alpha.FirstStraight(), 4);
        }
        return std::move(m_findings);
    }

private:
    void Add(const char* id, const char* variant, uint64_t offset, uint64_t length,
             std::vector<std::string> values = {})
    {
        m_findings.push_back({id, SeverityOf(id), variant, offset, length, std::move(values)});
    }

    // Reads the header once its bytes (or the whole of a shorter block) are
    // kept, and scans the pixels among them.
    void Plan()
    {
        m_bPlanned = true;
        ReadHeader(m_head);
        m_alpha.Feed(m_head, 0);
    }

    void ReadHeader(ByteSpan head)
    {
        const auto headerSize = ReadU32(head, 0);
        if (!headerSize) {
            const uint32_t smallest = m_bV5 ? kV5HeaderSize : kCoreHeaderSize;
            Add("dib.header", "short", 0, head.size(), {std::to_string(head.size()), std::to_string(smallest)});
            return;
        }
        if (std::ranges::find(kHeaderSizes, *headerSize) == kHeaderSizes.end()) {
            Add("dib.header", "unknown", 0, 4, {std::to_string(*headerSize)});
            return;
        }
        if (head.size() < *headerSize) {
            Add("dib.header", "short", 0, head.size(), {std::to_string(head.size()), std::to_string(*headerSize)});
            return;
        }
        if (m_bV5 && *headerSize < kV5HeaderSize)
            Add("dib.not-v5", "", 0, 4, {std::to_string(*headerSize)});
        else if (*headerSize == kCoreHeaderSize)
            Add("dib.core-header", "", 0, kCoreHeaderSize);
        const Fields f = ReadFields(head, *headerSize);
        if (CheckDimensions(f) && CheckCompression(head, *headerSize, f))
            PlanBits(head, *headerSize, f);
    }

    bool CheckDimensions(const Fields& f)
    {
        const size_t before = m_findings.size();
        if (f.width <= 0)
            Add("dib.dimensions", "width", 4, f.sizeLength, {std::to_string(f.width)});
        // INT32_MIN has no positive row count.
        if (f.height == 0 || f.height == std::numeric_limits<int32_t>::min())
            Add("dib.dimensions", "height", f.heightAt, f.sizeLength, {std::to_string(f.height)});
        const bool sizesBad = m_findings.size() != before;
        if (f.planes != 1)
            Add("dib.dimensions", "planes", f.planesAt, 2, {std::to_string(f.planes)});
        constexpr std::array<uint16_t, 7> kBitCounts{0, 1, 4, 8, 16, 24, 32};
        if (std::ranges::find(kBitCounts, f.bitCount) == kBitCounts.end() ||
            (f.core && (f.bitCount == 0 || f.bitCount == 16 || f.bitCount == 32))) {
            Add("dib.dimensions", "bit-count", f.bitCountAt, 2, {std::to_string(f.bitCount)});
            return false;
        }
        if (f.bitCount == 0 && f.compression != kJpeg && f.compression != kPng) {
            Add("dib.dimensions", "bit-count-zero", f.bitCountAt, 2);
            return false;
        }
        if (f.bitCount >= 1 && f.bitCount <= 8 && f.colorsUsed > (uint32_t{1} << f.bitCount)) {
            Add("dib.dimensions", "colors-used", 32, 4, {std::to_string(f.colorsUsed), std::to_string(f.bitCount)});
            return false;
        }
        if (sizesBad)
            return false;
        if (f.height < 0)
            Add("dib.top-down", "", 8, 4);
        return true;
    }

    bool CheckCompression(ByteSpan head, uint32_t headerSize, const Fields& f)
    {
        if (f.compression >= kCompressionNames.size()) {
            Add("dib.compression", "unknown", 16, 4, {std::to_string(f.compression)});
            return false;
        }
        const std::string name = kCompressionNames[f.compression];
        if (!BitCountFits(f.compression, f.bitCount)) {
            Add("dib.compression", "bit-count", 16, 4, {name, std::to_string(f.bitCount)});
            return false;
        }
        if (f.height < 0 && !IsUncompressed(f.compression))
            Add("dib.compression", "top-down", 16, 4, {name});
        // Only a 40-byte header keeps its masks after it; larger ones hold them.
        if (headerSize == kInfoHeaderSize && head.size() < kMasksOffset + 4 * MaskCount(f.compression)) {
            Add("dib.compression", "no-masks", kMasksOffset, head.size() - kMasksOffset, {name});
            return false;
        }
        return true;
    }

    void PlanBits(ByteSpan head, uint32_t headerSize, const Fields& f)
    {
        const uint32_t masks = MaskCount(f.compression);
        const uint64_t maskBytes = 4 * masks;
        // Windows repeats a larger header's masks after it, as if it were a
        // 40-byte one; the pixels then follow the copy.
        const bool copied = masks != 0 && headerSize >= kMasksOffset + maskBytes && Fits(head, headerSize, maskBytes) &&
                            std::equal(head.begin() + kMasksOffset, head.begin() + kMasksOffset + maskBytes,
                                       head.begin() + headerSize);
        const uint64_t masksAfter = headerSize == kInfoHeaderSize || copied ? maskBytes : 0;
        const uint64_t bitsOffset = headerSize + f.entrySize * DibPaletteEntries(f.bitCount, f.colorsUsed) + masksAfter;

        std::optional<uint64_t> image;
        if (IsUncompressed(f.compression)) {
            const uint64_t rows = static_cast<uint64_t>(f.height < 0 ? -f.height : f.height);
            image = DibRowsSize(static_cast<uint32_t>(f.width), rows, f.bitCount);
            if (f.sizeImage && *f.sizeImage != 0 && image && *f.sizeImage != *image)
                Add("dib.size-image", "mismatch", 20, 4, {std::to_string(*f.sizeImage), std::to_string(*image)});
        } else if (*f.sizeImage == 0) {
            Add("dib.size-image", "zero", 20, 4, {kCompressionNames[f.compression]});
        } else {
            image = *f.sizeImage;
        }
        // Without a size, the bits must at least start inside the block.
        constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
        m_nNeeded = !image ? bitsOffset : *image > kMax - bitsOffset ? kMax : bitsOffset + *image;

        if (headerSize >= kV5HeaderSize) {
            const uint32_t type = *ReadU32(head, kDibColorSpaceOffset);
            if (type == kDibProfileLinked || type == kDibProfileEmbedded)
                m_profile.emplace(*ReadU32(head, kDibProfileOffset), *ReadU32(head, kDibProfileOffset + 4));
        }
        PlanAlpha(head, headerSize, f, bitsOffset);
    }

    // The alpha mask lies at the same offset inside a V3 or later header and
    // after a 40-byte one with four masks.
    void PlanAlpha(ByteSpan head, uint32_t headerSize, const Fields& f, uint64_t bitsOffset)
    {
        const bool maskPresent =
            headerSize >= kV3HeaderSize || (headerSize == kInfoHeaderSize && f.compression == kAlphaBitFields);
        if (f.bitCount != 32 || !IsUncompressed(f.compression) || !maskPresent)
            return;
        const uint32_t alphaMask = *ReadU32(head, kAlphaMaskOffset);
        if (alphaMask == 0)
            return;
        const uint32_t red = *ReadU32(head, 40), green = *ReadU32(head, 44), blue = *ReadU32(head, 48);
        const bool byteColours =
            alphaMask == 0xFF000000 &&
            (f.compression == kRgb ||
             (IsByteMask(red) && IsByteMask(green) && IsByteMask(blue) && (red | green | blue) == 0xFFFFFF));
        m_alpha.Start(bitsOffset, m_nNeeded, alphaMask, byteColours);
    }

    bool m_bV5;
    std::vector<uint8_t> m_head;
    bool m_bPlanned = false;
    uint64_t m_nConsumed = 0;
    FindingList m_findings;
    uint64_t m_nNeeded = 0;   // the end of the last pixel row, or of the colour table
    std::optional<std::pair<uint32_t, uint32_t>> m_profile;   // offset and size
    CDibAlphaScan m_alpha;
};

} // namespace

// The end of the block is where its bytes stop, so the size given ahead is not needed.
std::unique_ptr<CFormatCheck> MakeDibCheck(bool v5, uint64_t)
{
    return std::make_unique<CDibCheck>(v5);
}
