#include "portable/HtmlFormatHeader.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string_view>

namespace {

constexpr std::array<const char*, kHtmlFieldCount> kFieldNames = {
    "Version", "StartHTML", "EndHTML", "StartFragment", "EndFragment", "StartSelection", "EndSelection", "SourceURL"};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Producers differ in case ("StartHtml", "SourceUrl"); the reader does not mind.
bool NameEquals(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return Lower(x) == Lower(y);
           });
}

bool IsHeaderName(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    });
}

// Producers pad with zeros ("0000000105"); 18 digits keep the value inside 64 bits.
std::optional<int64_t> ParseOffset(std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || text.size() > 18)
        return std::nullopt;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

// The member holding `field`'s value, const or not as `header` is.
template <class Header>
auto OffsetOf(Header& header, HtmlField field) -> decltype(&header.startHtml)
{
    switch (field) {
    case HtmlField::StartHtml: return &header.startHtml;
    case HtmlField::EndHtml: return &header.endHtml;
    case HtmlField::StartFragment: return &header.startFragment;
    case HtmlField::EndFragment: return &header.endFragment;
    case HtmlField::StartSelection: return &header.startSelection;
    case HtmlField::EndSelection: return &header.endSelection;
    default: return nullptr;
    }
}

// The header ends at the first line that is no "Name:value", or, once every
// required offset is known, where the first of them points: HTML may start like a header line.
void ReadFields(ByteSpan head, HtmlFormatHeader& header, std::array<bool, kHtmlFieldCount>& found)
{
    const std::string_view text(reinterpret_cast<const char*>(head.data()), head.size());
    uint64_t firstTarget = UINT64_MAX;
    size_t pos = 0;
    int offsetsFound = 0;
    while (pos < text.size() && (offsetsFound < 4 || pos < firstTarget)) {
        const size_t eol = std::min(text.find_first_of("\r\n", pos), text.size());
        const std::string_view line = text.substr(pos, eol - pos);
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos || !IsHeaderName(line.substr(0, colon)))
            break;
        const std::string_view name = line.substr(0, colon);
        const std::string_view value = Trim(line.substr(colon + 1));
        for (int i = 0; i < kHtmlFieldCount; ++i) {
            if (found[i] || !NameEquals(name, kFieldNames[i]))
                continue;
            found[i] = true;
            const auto field = static_cast<HtmlField>(i);
            header.fields.emplace_back(field, std::string(value));
            if (auto* offset = OffsetOf(header, field)) {
                if (field <= HtmlField::EndFragment)
                    ++offsetsFound;
                *offset = ParseOffset(value);
                if (!*offset)
                    header.problems.push_back({HtmlHeaderProblem::NotANumber, field});
                else if (**offset > 0)
                    firstTarget = std::min(firstTarget, static_cast<uint64_t>(**offset));
            }
        }
        pos = eol;
        if (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
        header.headerEnd = pos;
    }
    std::sort(header.fields.begin(), header.fields.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
}

// The offset of `field` when it points inside the block past the header;
// else nullopt, with the problem noted unless the field is absent or "not given".
std::optional<uint64_t> UsableOffset(HtmlFormatHeader& header, HtmlField field, uint64_t totalSize)
{
    const std::optional<int64_t>& offset = *OffsetOf(header, field);
    if (!offset)
        return std::nullopt;
    const bool mayBeAbsent = field == HtmlField::StartHtml || field == HtmlField::EndHtml;
    if (*offset == -1 && mayBeAbsent)
        return std::nullopt;
    if (*offset < 0 || static_cast<uint64_t>(*offset) > totalSize)
        header.problems.push_back({HtmlHeaderProblem::OutsideData, field});
    else if (static_cast<uint64_t>(*offset) < header.headerEnd)
        header.problems.push_back({HtmlHeaderProblem::InsideHeader, field});
    else
        return static_cast<uint64_t>(*offset);
    return std::nullopt;
}

bool IsSelection(HtmlField field)
{
    return field == HtmlField::StartSelection || field == HtmlField::EndSelection;
}

// Each usable offset of `chain` against the usable one before it. The
// selection's chain compares only pairs with a selection offset in them:
// the fragment's own order is the first chain's.
void CheckOrder(std::initializer_list<HtmlField> chain,
                const std::array<std::optional<uint64_t>, kHtmlFieldCount>& usable,
                std::vector<HtmlHeaderProblem>& problems)
{
    const bool selectionChain = std::any_of(chain.begin(), chain.end(), IsSelection);
    std::optional<HtmlField> previous;
    for (HtmlField field : chain) {
        const auto& offset = usable[static_cast<size_t>(field)];
        if (!offset)
            continue;
        if (previous && (!selectionChain || IsSelection(*previous) || IsSelection(field)) &&
            *usable[static_cast<size_t>(*previous)] > *offset)
            problems.push_back({HtmlHeaderProblem::OutOfOrder, *previous, field});
        previous = field;
    }
}

}

const char* HtmlFieldName(HtmlField field)
{
    return kFieldNames[static_cast<size_t>(field)];
}

std::optional<int64_t> HtmlOffsetValue(const HtmlFormatHeader& header, HtmlField field)
{
    const std::optional<int64_t>* offset = OffsetOf(header, field);
    return offset ? *offset : std::nullopt;
}

HtmlFormatHeader ReadHtmlFormatHeader(ByteSpan head, uint64_t totalSize)
{
    HtmlFormatHeader header;
    std::array<bool, kHtmlFieldCount> found{};
    ReadFields(head, header, found);
    for (HtmlField required : {HtmlField::Version, HtmlField::StartHtml, HtmlField::EndHtml,
                               HtmlField::StartFragment, HtmlField::EndFragment}) {
        if (!found[static_cast<size_t>(required)])
            header.problems.push_back({HtmlHeaderProblem::Missing, required});
    }

    const bool startSelection = found[static_cast<size_t>(HtmlField::StartSelection)];
    if (startSelection != found[static_cast<size_t>(HtmlField::EndSelection)])
        header.problems.push_back({HtmlHeaderProblem::Missing,
                                   startSelection ? HtmlField::EndSelection : HtmlField::StartSelection});

    // The offsets in the order the block must hold them; those that point
    // nowhere usable drop out of the order checks.
    std::array<std::optional<uint64_t>, kHtmlFieldCount> usable;
    for (HtmlField field : {HtmlField::StartHtml, HtmlField::EndHtml, HtmlField::StartFragment,
                            HtmlField::EndFragment, HtmlField::StartSelection, HtmlField::EndSelection})
        usable[static_cast<size_t>(field)] = UsableOffset(header, field, totalSize);
    CheckOrder({HtmlField::StartHtml, HtmlField::StartFragment, HtmlField::EndFragment, HtmlField::EndHtml},
               usable, header.problems);
    CheckOrder({HtmlField::StartFragment, HtmlField::StartSelection, HtmlField::EndSelection,
                HtmlField::EndFragment}, usable, header.problems);
    const auto& start = usable[static_cast<size_t>(HtmlField::StartFragment)];
    const auto& end = usable[static_cast<size_t>(HtmlField::EndFragment)];
    if (start && end && *start <= *end)
        header.fragment = std::make_pair(*start, *end);
    return header;
}
