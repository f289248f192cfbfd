#include "portable/HtmlFormatHeader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Kind = HtmlHeaderProblem::Kind;
using F = HtmlField;

ByteSpan Bytes(const std::string& text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// A block as browsers write it, its offsets counted from its own text.
std::string Block(const std::string& fragment, const std::string& newline = "\r\n")
{
    const std::string head = "Version:0.9" + newline + "StartHTML:0000000000" + newline + "EndHTML:0000000000" +
                             newline + "StartFragment:0000000000" + newline + "EndFragment:0000000000" + newline +
                             "SourceURL:https://example.com/a" + newline;
    const std::string before = "<html><body><!--StartFragment-->";
    const std::string after = "<!--EndFragment--></body></html>";
    std::string block = head + before + fragment + after;
    auto put = [&](const char* name, size_t value) {
        const size_t at = block.find(name) + std::string(name).size() + 1;
        const std::string digits = std::to_string(value);
        block.replace(at + 10 - digits.size(), digits.size(), digits);
    };
    put("StartHTML", head.size());
    put("EndHTML", block.size());
    put("StartFragment", head.size() + before.size());
    put("EndFragment", head.size() + before.size() + fragment.size());
    return block;
}

std::string Fragment(const std::string& block, const HtmlFormatHeader& header)
{
    return block.substr(header.fragment->first, header.fragment->second - header.fragment->first);
}

}  // namespace

TEST(HtmlFormatHeader, ReadsAWellFormedBlock)
{
    for (const char* newline : {"\r\n", "\n", "\r"}) {
        const std::string block = Block("<b>太字</b>", newline);
        const HtmlFormatHeader header = ReadHtmlFormatHeader(Bytes(block), block.size());
        EXPECT_TRUE(header.problems.empty()) << "newline " << int(newline[0]);
        ASSERT_EQ(header.fields.size(), 6u);
        EXPECT_EQ(header.fields[0], std::make_pair(F::Version, std::string("0.9")));
        EXPECT_EQ(header.fields[5], std::make_pair(F::SourceUrl, std::string("https://example.com/a")));
        EXPECT_EQ(header.headerEnd, block.find("<html>"));
        ASSERT_TRUE(header.fragment);
        EXPECT_EQ(Fragment(block, header), "<b>太字</b>");
    }
}

TEST(HtmlFormatHeader, ReadsFromTheBeginningOfALargerBlock)
{
    const std::string block = Block(std::string(100000, 'x'));
    const HtmlFormatHeader header = ReadHtmlFormatHeader(Bytes(block.substr(0, 300)), block.size());
    EXPECT_TRUE(header.problems.empty());
    ASSERT_TRUE(header.fragment);
    EXPECT_EQ(header.fragment->second - header.fragment->first, 100000u);
}

TEST(HtmlFormatHeader, AcceptsMinusOneForTheContextAndAnyCase)
{
    const std::string block = "version:1.0\nstarthtml:-1\nENDHTML:-1\nStartFragment:68\nEndFragment:71\n<i>";
    const HtmlFormatHeader header = ReadHtmlFormatHeader(Bytes(block), block.size());
    EXPECT_TRUE(header.problems.empty());
    EXPECT_EQ(header.startHtml, -1);
    ASSERT_TRUE(header.fragment);
    EXPECT_EQ(Fragment(block, header), "<i>");
}

TEST(HtmlFormatHeader, ReportsBrokenHeaders)
{
    struct Case {
        const char* name;
        std::string startHtml, endHtml, startFragment, endFragment;
        std::vector<HtmlHeaderProblem> problems;
        bool fragment;
    };
    // The header lines take about 70 bytes; the block ends at 130 or near it.
    const Case cases[] = {
        {"well formed", "80", "130", "90", "100", {}, true},
        {"fragment past the end", "80", "130", "90", "999", {{Kind::OutsideData, F::EndFragment}}, false},
        {"negative offset", "-5", "130", "90", "100", {{Kind::OutsideData, F::StartHtml}}, true},
        {"fragment reversed", "80", "130", "120", "100", {{Kind::OutOfOrder, F::StartFragment, F::EndFragment}}, false},
        {"html ends inside the fragment", "80", "95", "90", "100", {{Kind::OutOfOrder, F::EndFragment, F::EndHtml}},
         true},
        {"offset into the header", "03", "130", "90", "100", {{Kind::InsideHeader, F::StartHtml}}, true},
        {"not a number", "x1", "130", "90", "100", {{Kind::NotANumber, F::StartHtml}}, true},
        {"a number too long for 64 bits", "95", "130", "100", "99999999999999999999999",
         {{Kind::NotANumber, F::EndFragment}}, false},
    };
    for (const Case& c : cases) {
        const std::string text = "Version:0.9\nStartHTML:" + c.startHtml + "\nEndHTML:" + c.endHtml +
                                 "\nStartFragment:" + c.startFragment + "\nEndFragment:" + c.endFragment + "\n" +
                                 std::string(60, 'h');
        const HtmlFormatHeader header = ReadHtmlFormatHeader(Bytes(text), text.size());
        ASSERT_EQ(header.problems.size(), c.problems.size()) << c.name;
        for (size_t i = 0; i < c.problems.size(); ++i) {
            EXPECT_EQ(header.problems[i].kind, c.problems[i].kind) << c.name;
            EXPECT_EQ(header.problems[i].field, c.problems[i].field) << c.name;
            if (c.problems[i].kind == Kind::OutOfOrder)
                EXPECT_EQ(header.problems[i].other, c.problems[i].other) << c.name;
        }
        EXPECT_EQ(header.fragment.has_value(), c.fragment) << c.name;
    }
}

TEST(HtmlFormatHeader, ReportsMissingFields)
{
    const std::string some = "Version:0.9\nStartFragment:40\n<p>" + std::string(20, 'p');
    EXPECT_EQ(ReadHtmlFormatHeader(Bytes(some), some.size()).problems.size(), 3u);
    const std::string none = "<html>" + std::string(20, 'p');
    const HtmlFormatHeader header = ReadHtmlFormatHeader(Bytes(none), none.size());
    EXPECT_EQ(header.problems.size(), 5u);
    EXPECT_EQ(header.headerEnd, 0u);
    EXPECT_TRUE(header.fields.empty());
}

TEST(HtmlFormatHeader, EndsAtTheFirstOffsetOnceAllAreKnown)
{
    // A plain-text fragment that itself looks like a header line.
    const std::string block = "Version:0.9\nStartHTML:-1\nEndHTML:-1\nStartFragment:68\nEndFragment:76\nNote:xyz";
    const HtmlFormatHeader header = ReadHtmlFormatHeader(Bytes(block), block.size());
    EXPECT_EQ(header.headerEnd, 68u);
    EXPECT_TRUE(header.problems.empty());
    ASSERT_TRUE(header.fragment);
    EXPECT_EQ(Fragment(block, header), "Note:xyz");
    for (size_t cut = 0; cut < block.size(); ++cut)
        ReadHtmlFormatHeader(Bytes(block.substr(0, cut)), block.size());
}
