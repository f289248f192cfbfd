#include "CheckPieces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr auto E = FindingSeverity::Error;
constexpr auto W = FindingSeverity::Warning;
constexpr auto N = FindingSeverity::Note;

Finding F(const char* id, FindingSeverity severity, const char* variant, std::optional<uint64_t> offset = {},
          uint64_t length = 0, std::vector<std::string> values = {})
{
    return {id, severity, variant, offset, length, std::move(values)};
}

struct Row {
    const char* name;
    std::string bytes;
    FindingList expected;
};

FindingList Check(CheckKind kind, const std::string& text, const CheckContext& context = {})
{
    const std::vector<uint8_t> bytes(text.begin(), text.end());
    return CheckInPieces(kind, bytes, context);
}

void CheckRows(CheckKind kind, const std::vector<Row>& rows, const CheckContext& context = {})
{
    for (const Row& row : rows)
        EXPECT_EQ(Check(kind, row.bytes, context), row.expected) << row.name;
}

std::string Utf16(std::u16string_view text)
{
    std::string bytes;
    for (char16_t unit : text)
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}

// Overwrites a field's ten characters in place, so that no other offset moves.
std::string& Set(std::string& block, const std::string& field, int64_t value)
{
    const std::string digits = std::to_string(value < 0 ? -value : value);
    std::string text = (value < 0 ? "-" : "") + std::string(10 - (value < 0) - digits.size(), '0') + digits;
    block.replace(block.find("\n" + field + ":") + field.size() + 2, 10, text);
    return block;
}

// A block as Chromium writes it, its ten-digit offsets counted from its own text.
struct HtmlBlock {
    std::string before = "<html>\r\n<body>\r\n<!--StartFragment-->";
    std::string fragment = "<b>bold</b>";
    std::string after = "<!--EndFragment-->\r\n</body>\r\n</html>";
    std::string trailer = std::string(1, '\0');
    bool selection = false;

    std::string Text() const
    {
        std::string head = "Version:0.9\r\nStartHTML:0000000000\r\nEndHTML:0000000000\r\n"
                           "StartFragment:0000000000\r\nEndFragment:0000000000\r\n";
        if (selection)
            head += "StartSelection:0000000000\r\nEndSelection:0000000000\r\n";
        head += "SourceURL:https://example.com/\r\n";
        std::string block = head + before + fragment + after + trailer;
        const size_t start = head.size() + before.size(), end = start + fragment.size();
        Set(block, "StartHTML", head.size());
        Set(block, "EndHTML", block.size() - trailer.size());
        Set(block, "StartFragment", start);
        Set(block, "EndFragment", end);
        if (selection)
            Set(Set(block, "StartSelection", start), "EndSelection", end);
        return block;
    }
};

std::string With(std::string block, const std::string& field, int64_t value)
{
    return Set(block, field, value);
}

std::string Replaced(std::string block, const std::string& from, const std::string& to)
{
    return block.replace(block.find(from), from.size(), to);
}

int64_t CodePoints(const std::string& text)
{
    return std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<uint8_t>(c) & 0xC0) != 0x80; });
}

int64_t Count4ByteLeads(const std::string& text)
{
    return std::count_if(text.begin(), text.end(), [](char c) { return static_cast<uint8_t>(c) >= 0xF0; });
}

int64_t Value(const std::string& block, const std::string& field)
{
    return std::stoll(block.substr(block.find("\n" + field + ":") + field.size() + 2, 10));
}

}  // namespace

TEST(TextChecks, TypicalDataHasNoFinding)
{
    HtmlBlock word;
    word.before = "<html><head><title>見出し</title></head><body lang=JA>\r\n<!--StartFragment-->";
    word.fragment = "<p>日本語 😀</p>";
    word.after = "<!--EndFragment-->\r\n</body>\r\n</html>";
    word.trailer = std::string(3, '\0');
    word.selection = true;
    HtmlBlock spaced;
    spaced.before = "<html><body><!-- StartFragment -->";
    spaced.after = "<!--endfragment --></body></html>";
    spaced.trailer.clear();
    const std::string noContext = With(With(HtmlBlock{}.Text(), "StartHTML", -1), "EndHTML", -1);
    for (const std::string& html : {HtmlBlock{}.Text(), word.Text(), spaced.Text(), noContext})
        EXPECT_EQ(Check(CheckKind::Html, html), FindingList{}) << html;
    // The other kinds' correct payloads are rows of their own tables.
    EXPECT_EQ(Check(CheckKind::UnicodeText, Utf16(u"日本語\r\n😀") + std::string(4, '\0')), FindingList{});
    const char rtf[] = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Calibri;}}\\viewkind4\\uc1\\pard"
                       "\\f0\\fs22 Caf\\'e9 \\{x\\} \\\\\\par\r\n}\r\n";
    EXPECT_EQ(Check(CheckKind::Rtf, std::string(rtf, sizeof(rtf))), FindingList{});
}

TEST(TextChecks, HtmlHeader)
{
    const std::string good = HtmlBlock{}.Text();
    HtmlBlock selected;
    selected.selection = true;
    const std::string withSelection = selected.Text();
    const int64_t endFragment = Value(good, "EndFragment"), selectionEnd = Value(withSelection, "EndSelection");
    const int64_t size = static_cast<int64_t>(good.size());
    CheckRows(CheckKind::Html, {
        {"missing", Replaced(good, "Version", "Versiom"), {F("html.header-field", E, "missing", {}, 0, {"Version"})}},
        {"not a number", With(good, "StartHTML", 0).replace(good.find("StartHTML:") + 10, 1, "x"),
         {F("html.header-field", E, "not-number", {}, 0, {"StartHTML"})}},
        {"selection unpaired", Replaced(withSelection, "EndSelection", "EndSelectiox"),
         {F("html.header-field", E, "unpaired", {}, 0, {"StartSelection", "EndSelection"})}},
        {"negative", With(good, "StartHTML", -5), {F("html.offset-outside", E, "", {}, 0, {"StartHTML", "-5",
                                                                                         std::to_string(size)})}},
        {"minus one", With(good, "StartHTML", -1), {}},
        {"past the end", With(good, "EndHTML", size + 1),
         {F("html.offset-outside", E, "", {}, 0, {"EndHTML", std::to_string(size + 1), std::to_string(size)})}},
        {"into the header", With(good, "StartHTML", 5),
         {F("html.offset-order", E, "header", {}, 0, {"StartHTML", "5", std::to_string(good.find("SourceURL"))})}},
        {"fragment past html", With(good, "EndHTML", endFragment - 1),
         {F("html.offset-order", E, "", {}, 0, {"EndFragment", std::to_string(endFragment), "EndHTML",
                                                std::to_string(endFragment - 1)})}},
        {"selection reversed", With(withSelection, "StartSelection", selectionEnd + 1),
         {F("html.offset-order", E, "", {}, 0, {"StartSelection", std::to_string(selectionEnd + 1), "EndSelection",
                                                std::to_string(selectionEnd)})}},
        {"selection empty", With(withSelection, "StartSelection", selectionEnd), {}},
    });
}

TEST(TextChecks, HtmlFragmentOffsets)
{
    const std::string good = HtmlBlock{}.Text();
    const uint64_t startComment = good.find("<!--StartFragment-->");
    const int64_t start = Value(good, "StartFragment");
    int64_t crlf = 0;
    for (size_t at = good.find("\r\n"); at < static_cast<size_t>(start); at = good.find("\r\n", at + 1))
        ++crlf;
    HtmlBlock wide;
    wide.before = "<html><head><title>日本😀</title></head><body><!--StartFragment-->";
    wide.fragment = "<p>é😀</p>";
    const std::string text = wide.Text();
    const uint64_t wideStart = text.find("<!--StartFragment-->"), wideEnd = text.find("<!--EndFragment-->");
    const int64_t wideStartAt = Value(text, "StartFragment"), wideEndAt = Value(text, "EndFragment");
    const int64_t codePoints = CodePoints(text.substr(0, wideStartAt));
    const int64_t utf16Units = CodePoints(text.substr(0, wideEndAt)) + Count4ByteLeads(text.substr(0, wideEndAt));
    const int64_t endHtml = Value(text, "EndHTML"), endInCodePoints = CodePoints(text.substr(0, endHtml));
    CheckRows(CheckKind::Html, {
        {"no end comment", Replaced(good, "<!--EndFragment-->", "<!--EndFragmenX-->"),
         {F("html.fragment-markers", E, "missing", {}, 0, {"<!--EndFragment-->"})}},
        {"two bytes off", With(good, "StartFragment", start + 2),
         {F("html.fragment-markers", E, "offset", startComment, 20,
            {"StartFragment", std::to_string(start + 2), std::to_string(start)})}},
        {"line breaks as one byte", With(good, "StartFragment", start - crlf),
         {F("html.fragment-markers", E, "line-breaks", startComment, 20,
            {"StartFragment", std::to_string(start - crlf), std::to_string(start), std::to_string(crlf)})}},
        {"code points", With(text, "StartFragment", codePoints),
         {F("html.character-offsets", E, "", wideStart, 20,
            {"StartFragment", std::to_string(wideStartAt), std::to_string(codePoints)})}},
        {"utf-16 units", With(text, "EndFragment", utf16Units),
         {F("html.character-offsets", E, "", wideEnd, 18,
            {"EndFragment", std::to_string(wideEndAt), std::to_string(utf16Units)})}},
        {"end in characters", With(text, "EndHTML", endInCodePoints),
         {F("html.character-offsets", E, "", {}, 0,
            {"EndHTML", std::to_string(endHtml), std::to_string(endInCodePoints)})}},
        {"bytes", text, {}},
    });
}

TEST(TextChecks, HtmlBytes)
{
    HtmlBlock broken, overlong, surrogate, cut, after, large;
    broken.fragment = "<p>\xC3\x28</p>";
    overlong.fragment = "<p>\xE0\x80\x80</p>";
    surrogate.fragment = "<p>\xED\xA0\x80</p>";
    cut.trailer = "\xE3\x81";
    after.trailer = std::string("\0\0junk\0", 7);
    large.fragment = std::string(100000, 'x');
    large.trailer = "junk";
    const auto at = [](const HtmlBlock& block, const std::string& what) { return block.Text().find(what); };
    const uint64_t cutAt = cut.Text().size() - 2;
    const std::string endHtml = std::to_string(at(after, std::string("\0", 1)));
    CheckRows(CheckKind::Html, {
        {"broken sequence", broken.Text(), {F("html.not-utf8", E, "", at(broken, "\xC3"), 1)}},
        {"overlong", overlong.Text(), {F("html.not-utf8", E, "", at(overlong, "\xE0"), 1)}},
        {"surrogate", surrogate.Text(), {F("html.not-utf8", E, "", at(surrogate, "\xED"), 1)}},
        {"cut at the end", cut.Text(), {F("html.not-utf8", E, "", cutAt, 2),
                                        F("html.data-after-end", W, "", cutAt, 2, {std::to_string(cutAt)})}},
        {"after the end", after.Text(), {F("html.data-after-end", W, "", at(after, "junk"), 4, {endHtml})}},
        {"after the end of a large block", large.Text(),
         {F("html.data-after-end", W, "", at(large, "junk"), 4, {std::to_string(at(large, "junk"))})}},
        {"valid", Replaced(broken.Text(), "\xC3\x28", "\xC3\xA9"), {}},
    });
}

TEST(TextChecks, Text)
{
    using namespace std::string_literals;
    CheckRows(CheckKind::AnsiText, {
        {"no terminator", "abc", {F("text.no-terminator", E, "")}},
        {"data after", "ab\0cd\0\0"s, {F("text.data-after-terminator", W, "", 3, 2, {"2"})}},
        {"padding after", "ab\0\0\0"s, {}},
        {"lone line feed", "a\nb\r\n\n\0"s, {F("text.lone-line-feed", N, "", 1, 1, {"2"})}},
        {"line feed after the terminator", "a\r\n\0\n"s, {F("text.data-after-terminator", W, "", 4, 1, {"1"})}},
    });
    CheckRows(CheckKind::UnicodeText, {
        {"odd", Utf16(u"ab") + "\0\0\0"s, {F("text.odd-length", E, "", 6, 1, {"7"})}},
        {"zero bytes apart", "A\0\0B"s, {F("text.no-terminator", E, "")}},
        {"lone high", Utf16(u"a\xD800" u"b") + "\0\0"s, {F("text.unpaired-surrogate", W, "", 2, 2, {"1"})}},
        {"high before the end", Utf16(u"a\xDC00\xD800") + "\0\0"s, {F("text.unpaired-surrogate", W, "", 2, 2, {"2"})}},
        {"pair", Utf16(u"a😀") + "\0\0"s, {}},
        {"lone line feed", Utf16(u"a\nb\r\n") + "\0\0"s, {F("text.lone-line-feed", N, "", 2, 2, {"1"})}},
        {"data after", Utf16(u"a") + "\0\0b\0"s, {F("text.data-after-terminator", W, "", 4, 1, {"1"})}},
    });
}

TEST(TextChecks, Rtf)
{
    using namespace std::string_literals;
    const std::string open = "{\\rtf1 {\\b bold}", tooLong = "{\\rtf1 {\\pict\\bin4 {{{}}";
    CheckRows(CheckKind::Rtf, {
        {"not rtf", "hello", {F("rtf.not-rtf", E, "")}},
        {"cut signature", "{\\rt", {F("rtf.not-rtf", E, "")}},
        {"unclosed", open, {F("rtf.unbalanced", E, "unclosed", open.size(), 0, {"1"})}},
        {"closed", open + "}\0"s, {}},
        {"escaped braces", "{\\rtf1 \\{ \\} \\\\}", {}},
        {"binary braces", "{\\rtf1 {\\pict\\bin3 {{{}}", {}},
        {"binary too long", tooLong, {F("rtf.unbalanced", E, "unclosed", tooLong.size(), 0, {"1"})}},
        {"closed too early", "{\\rtf1 {\\b x}} more}\0"s, {F("rtf.unbalanced", E, "extra-close", 19, 1, {"13"})}},
        {"trailing line break", "{\\rtf1 {\\b x}}\r\n\0"s, {}},
    });
}

TEST(TextChecks, Dword)
{
    using namespace std::string_literals;
    CheckRows(CheckKind::DropEffect, {
        {"short", "\x01\0"s, {F("dword.size", E, "short", {}, 0, {"2"})}},
        {"padded", "\x02\0\0\0\0\0\0\0"s, {}},
        {"data after", "\x02\0\0\0\x01\0\0\0"s, {F("dword.size", N, "long", 4, 4, {"8"})}},
        {"unknown bits", "\x09\0\0\0"s, {F("dropeffect.value", W, "", 0, 4, {"9", "8"})}},
        {"none", "\0\0\0\0"s, {}},
        {"copy, link and scroll", "\x05\0\0\x80"s, {}},
    });
    CheckRows(CheckKind::Dword, {{"any value", "\x09\0\0\0"s, {}}, {"empty", "", {F("dword.size", E, "short", {}, 0,
                                                                                             {"0"})}}});
}

TEST(TextChecks, Url)
{
    using namespace std::string_literals;
    CheckRows(CheckKind::Url, {
        {"no terminator", "https://example.com/", {F("url.no-terminator", E, "")}},
        {"empty", "\0"s, {F("url.syntax", W, "empty")}},
        {"no scheme", "example.com\0"s, {F("url.syntax", W, "scheme", 0, 11)}},
        {"drive", "C:\\x\0"s, {F("url.syntax", W, "scheme", 0, 4)}},
        {"scheme", "ms-settings:display\0"s, {}},
        {"blank", "https://a b\0"s, {F("url.syntax", W, "blank", 9, 1)}},
        {"blank after the terminator", "https://ab\0 \n"s, {}},
    });
    CheckRows(CheckKind::UrlW, {
        {"tab", Utf16(u"http://x\ty") + "\0\0"s, {F("url.syntax", W, "blank", 16, 2)}},
        {"odd byte", Utf16(u"http://x") + "\0"s, {F("url.no-terminator", E, "")}},
        {"international", Utf16(u"https://例え.jp/") + "\0\0"s, {}},
    });
}

TEST(TextChecks, WebCustomMap)
{
    const CheckContext offered{.offeredFormats = std::vector<std::wstring>{L"Web Custom Format0"}};
    const std::string good = R"({"text/html":"Web Custom Format0"})";
    CheckRows(CheckKind::WebCustomMap, {
        {"not offered", R"({"text/csv":"Web Custom Format1"})",
         {F("webcustom.missing", E, "", {}, 0, {"text/csv", "Web Custom Format1"})}},
        {"offered", good, {}},
        {"prefixed key", R"({"web text/html":"Web Custom Format0"})",
         {F("webcustom.map", E, "key", {}, 0, {"web text/html"})}},
        {"other name", R"({"text/html":"Format0"})", {F("webcustom.map", E, "value", {}, 0, {"text/html"})}},
        {"number", R"({"text/html":0})", {F("webcustom.map", E, "value", {}, 0, {"text/html"})}},
        {"nested", R"({"text/html":{"a":["b"]}})", {F("webcustom.map", E, "value", {}, 0, {"text/html"})}},
        {"array", R"(["Web Custom Format0"])", {F("webcustom.map", E, "not-object")}},
        {"not json", good + " x", {F("webcustom.map", E, "syntax", good.size() + 1, 1)}},
        {"cut", good.substr(0, 10), {F("webcustom.map", E, "syntax", 9, 1)}},
        {"empty", "", {F("webcustom.map", E, "syntax")}},
    }, offered);
    EXPECT_EQ(Check(CheckKind::WebCustomMap, R"({"text/csv":"Web Custom Format1"})"), FindingList{});
    const std::string longKey = "{\"\\u0001" + std::string(70, 'a') + "\":0}";
    EXPECT_EQ(Check(CheckKind::WebCustomMap, longKey)[1].values[0], "?" + std::string(63, 'a') + "\xE2\x80\xA6");
}
