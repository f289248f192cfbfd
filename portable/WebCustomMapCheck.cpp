// The check of "Web Custom Format Map", Chromium's index of the custom web
// formats it puts on the Windows clipboard: a JSON object from MIME types to
// the names of the formats holding their data, "Web Custom Format0" and on.
#include "common/AsciiCase.h"
#include "portable/BufferedCheck.h"
#include "portable/FormatCheckKinds.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kNamePrefix = "Web Custom Format";
// Enough for any map a browser writes, and a bound on a hostile one's findings.
constexpr size_t kMaxFindings = 100;
// Nesting only ever means a wrong value, found at its first level.
constexpr uint64_t kMaxDepth = 64;
constexpr size_t kShownKeyBytes = 64;

// An HTTP token character, as a MIME type's type and subtype are made of.
bool IsTokenChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::strchr("!#$%&'*+-.^_`|~", c) != nullptr;
}

bool IsToken(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), IsTokenChar);
}

// "type/subtype" without parameters, the keys Chromium accepts: it skips
// any other ("web text/plain" among them).
bool IsMimeType(std::string_view key)
{
    const size_t slash = key.find('/');
    return slash != std::string_view::npos && IsToken(key.substr(0, slash)) && IsToken(key.substr(slash + 1));
}

bool IsFormatName(std::string_view name)
{
    if (!name.starts_with(kNamePrefix) || name.size() == kNamePrefix.size())
        return false;
    return std::all_of(name.begin() + kNamePrefix.size(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A key as a message shows it: its first bytes, cut between characters, and
// no control character (escapes can put any in a JSON string).
std::string Shown(std::string_view key)
{
    std::string shown(key);
    if (key.size() > kShownKeyBytes) {
        size_t end = kShownKeyBytes;
        while (end > 0 && (static_cast<uint8_t>(key[end]) & 0xC0) == 0x80)
            --end;
        shown = std::string(key.substr(0, end)) + "\xE2\x80\xA6";
    }
    std::replace_if(shown.begin(), shown.end(), [](char c) { return static_cast<uint8_t>(c) < 0x20 || c == 0x7F; },
                    '?');
    return shown;
}

// Reads the map's events; stops at the first thing that is not a map, or
// once enough has been found.
class CMapReader : public nlohmann::json_sax<nlohmann::json> {
public:
    CMapReader(const CheckContext& context, FindingList& findings) : m_context(context), m_findings(findings) {}

    bool null() override { return Scalar(); }
    bool boolean(bool) override { return Scalar(); }
    bool number_integer(number_integer_t) override { return Scalar(); }
    bool number_unsigned(number_unsigned_t) override { return Scalar(); }
    bool number_float(number_float_t, const string_t&) override { return Scalar(); }
    bool binary(binary_t&) override { return Scalar(); }

    bool string(string_t& value) override
    {
        if (m_nDepth != 1)
            return Scalar();
        if (!IsFormatName(value))
            return Add("webcustom.map", "value", {Shown(m_key)});
        const std::wstring name(value.begin(), value.end());
        if (!m_context.offeredFormats)
            return true;
        const auto& offered = *m_context.offeredFormats;
        if (std::none_of(offered.begin(), offered.end(), [&](const std::wstring& n) { return AsciiEquals(n, name); }))
            return Add("webcustom.missing", "", {Shown(m_key), value});
        return true;
    }

    bool key(string_t& key) override
    {
        if (m_nDepth != 1)
            return true;
        m_key = key;
        return IsMimeType(key) || Add("webcustom.map", "key", {Shown(key)});
    }

    bool start_object(std::size_t) override { return Open(); }
    bool start_array(std::size_t) override { return m_nDepth != 0 && Open(); }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }

    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception&) override
    {
        m_nErrorAt = position;
        return false;
    }

    bool TopIsObject() const { return m_bObject; }
    std::optional<std::size_t> ErrorAt() const { return m_nErrorAt; }

private:
    // Anything but a string as a value, or anything but an object as the whole.
    bool Scalar()
    {
        return m_nDepth != 1 || Add("webcustom.map", "value", {Shown(m_key)});
    }

    bool Open()
    {
        if (m_nDepth == 0)
            m_bObject = true;
        else if (m_nDepth == 1 && !Scalar())
            return false;
        return ++m_nDepth <= kMaxDepth;
    }

    bool Close()
    {
        --m_nDepth;
        return true;
    }

    bool Add(const char* id, const char* variant, std::vector<std::string> values)
    {
        m_findings.push_back({.id = id, .variant = variant, .values = std::move(values)});
        return m_findings.size() < kMaxFindings;
    }

    const CheckContext& m_context;
    FindingList& m_findings;
    uint64_t m_nDepth = 0;
    std::string m_key;
    bool m_bObject = false;
    std::optional<std::size_t> m_nErrorAt;
};

class CWebCustomMapCheck : public CBufferedCheck {
public:
    explicit CWebCustomMapCheck(const CheckContext& context) : m_context(context) {}

protected:
    void Check(ByteSpan held, uint64_t total, FindingList& findings) override
    {
        if (total != held.size())
            return;
        // The JSON text ends at a NUL, when there is one: the terminator and
        // the allocation's padding are not part of it.
        const ByteSpan text = held.first(static_cast<size_t>(std::find(held.begin(), held.end(), 0) - held.begin()));
        CMapReader reader(m_context, findings);
        nlohmann::json::sax_parse(text.begin(), text.end(), &reader);
        if (const auto errorAt = reader.ErrorAt()) {
            Finding finding{.id = "webcustom.map", .variant = "syntax"};
            if (!text.empty())
                finding.offset = std::min<uint64_t>(*errorAt == 0 ? 0 : *errorAt - 1, text.size() - 1);
            finding.length = finding.offset ? 1 : 0;
            findings.push_back(std::move(finding));
        } else if (!reader.TopIsObject()) {
            findings.push_back({.id = "webcustom.map", .variant = "not-object"});
        }
    }

private:
    CheckContext m_context;
};

}  // namespace

std::unique_ptr<CFormatCheck> MakeWebCustomMapCheck(const CheckContext& context)
{
    return std::make_unique<CWebCustomMapCheck>(context);
}
