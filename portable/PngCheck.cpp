// "PNG" and "image/png": the signature, the chunks' framing and CRCs, and
// what follows IEND. Only a chunk's header and CRC are ever kept; its data
// streams through zlib's crc32.
#include "portable/FormatCheckKinds.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::array<uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint32_t kMaxChunkLength = 0x7FFFFFFF;
constexpr uint64_t kChunkHeaderSize = 8;
constexpr uint64_t kCrcSize = 4;

uint32_t BigEndian(const uint8_t* p)
{
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
}

bool IsLetter(uint8_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

class CPngCheck : public CFormatCheck {
public:
    void Consume(ByteSpan piece) override
    {
        while (!piece.empty() && m_state != State::Stopped && m_state != State::AfterEnd) {
            if (m_state == State::Data) {
                const size_t taken = static_cast<size_t>(std::min<uint64_t>(m_nLeft, piece.size()));
                m_nCrc = crc32(m_nCrc, piece.data(), static_cast<uInt>(taken));
                Advance(taken, piece);
                if ((m_nLeft -= taken) == 0)
                    Expect(State::Crc, kCrcSize);
                continue;
            }
            const size_t taken = static_cast<size_t>(std::min<uint64_t>(m_nWanted - m_nHeld, piece.size()));
            std::copy_n(piece.begin(), taken, m_held.begin() + m_nHeld);
            m_nHeld += taken;
            Advance(taken, piece);
            if (m_nHeld == m_nWanted)
                Complete();
        }
        m_nConsumed += piece.size();
    }

    FindingList Finish() override
    {
        switch (m_state) {
        case State::Signature:
            Add("png.signature", "", 0, m_nConsumed);
            break;
        case State::Header:
            if (m_nHeld == 0)
                Add("png.chunk", "no-iend", m_nConsumed, 0);
            else
                Add("png.chunk", "past-end", m_nChunkAt, m_nConsumed - m_nChunkAt);
            break;
        case State::Data:
        case State::Crc:
            Add("png.chunk", "past-end", m_nChunkAt, m_nConsumed - m_nChunkAt);
            break;
        case State::AfterEnd:
            if (const uint64_t after = m_nConsumed - m_nEndAt; after != 0)
                Add("png.data-after-end", "", m_nEndAt, after, {std::to_string(after)});
            break;
        case State::Stopped:
            break;
        }
        return std::move(m_findings);
    }

private:
    enum class State { Signature, Header, Data, Crc, AfterEnd, Stopped };

    void Add(const char* id, const char* variant, uint64_t offset, uint64_t length,
             std::vector<std::string> values = {})
    {
        const auto severity = std::string_view(id) == "png.data-after-end" ? FindingSeverity::Note
                                                                            : FindingSeverity::Error;
        m_findings.push_back({id, severity, variant, offset, length, std::move(values)});
    }

    void Advance(size_t taken, ByteSpan& piece)
    {
        m_nConsumed += taken;
        piece = piece.subspan(taken);
    }

    void Expect(State state, uint64_t bytes)
    {
        m_state = state;
        m_nWanted = bytes;
        m_nHeld = 0;
    }

    // The signature, a chunk's header or its CRC is all there.
    void Complete()
    {
        switch (m_state) {
        case State::Signature:
            if (!std::equal(kSignature.begin(), kSignature.end(), m_held.begin())) {
                Add("png.signature", "", 0, kSignature.size());
                m_state = State::Stopped;
            } else {
                StartChunk();
            }
            break;
        case State::Header:
            ReadChunkHeader();
            break;
        case State::Crc:
            if (BigEndian(m_held.data()) != m_nCrc && !m_bCrcReported) {
                // One is enough to show the block was altered or cut and mended.
                m_bCrcReported = true;
                Add("png.crc", "", m_nChunkAt, m_nConsumed - m_nChunkAt, {m_type});
            }
            if (m_type == "IEND") {
                m_state = State::AfterEnd;
                m_nEndAt = m_nConsumed;
            } else {
                StartChunk();
            }
            break;
        default:
            break;
        }
    }

    void StartChunk()
    {
        m_nChunkAt = m_nConsumed;
        Expect(State::Header, kChunkHeaderSize);
    }

    void ReadChunkHeader()
    {
        const uint32_t length = BigEndian(m_held.data());
        if (!std::all_of(m_held.begin() + 4, m_held.begin() + 8, IsLetter)) {
            Add("png.chunk", "type", m_nChunkAt + 4, 4);
            m_state = State::Stopped;
            return;
        }
        m_type.assign(m_held.begin() + 4, m_held.begin() + 8);
        if (length > kMaxChunkLength) {
            Add("png.chunk", "length", m_nChunkAt, 4, {m_type, std::to_string(length)});
            m_state = State::Stopped;
            return;
        }
        if (m_bFirstChunk && m_type != "IHDR")
            Add("png.chunk", "ihdr-first", m_nChunkAt, kChunkHeaderSize, {m_type});
        m_bFirstChunk = false;
        m_nCrc = crc32(0, m_held.data() + 4, 4);
        m_nLeft = length;
        if (length != 0)
            m_state = State::Data;
        else
            Expect(State::Crc, kCrcSize);
    }

    State m_state = State::Signature;
    // The bytes of the signature, a chunk header or a CRC, as they come.
    std::array<uint8_t, kSignature.size()> m_held{};
    uint64_t m_nWanted = kSignature.size();
    uint64_t m_nHeld = 0;
    uint64_t m_nConsumed = 0;
    uint64_t m_nChunkAt = 0;
    std::string m_type;
    uint64_t m_nLeft = 0;     // of the chunk's data
    uLong m_nCrc = 0;
    bool m_bFirstChunk = true;
    bool m_bCrcReported = false;
    uint64_t m_nEndAt = 0;    // just past IEND's CRC
    FindingList m_findings;
};

} // namespace

std::unique_ptr<CFormatCheck> MakePngCheck()
{
    return std::make_unique<CPngCheck>();
}
