#include "viewers/HtmlFormatRows.h"

#include "capture/FormatNames.h"
#include "common/AsciiCase.h"
#include "framework/Utf8.h"

#include <windows.h>

namespace {

// Far more than any header with a long SourceURL takes.
constexpr size_t kHeaderReadLimit = 64 * 1024;

std::wstring FieldName(HtmlField field)
{
    return FromUtf8(HtmlFieldName(field));
}

// The field as written, e.g. "EndHTML (0000000999)".
std::wstring FieldWithValue(const HtmlFormatHeader& header, HtmlField field)
{
    for (const auto& [name, value] : header.fields) {
        if (name == field)
            return FieldName(field) + L" (" + FromUtf8(value) + L")";
    }
    return FieldName(field);
}

std::wstring ProblemText(const HtmlFormatHeader& header, const HtmlHeaderProblem& problem)
{
    switch (problem.kind) {
    case HtmlHeaderProblem::Missing:
        return FieldName(problem.field) + L" がありません";
    case HtmlHeaderProblem::NotANumber:
        return FieldWithValue(header, problem.field) + L" が数値ではありません";
    case HtmlHeaderProblem::OutsideData:
        return FieldWithValue(header, problem.field) + L" がデータの外を指しています";
    case HtmlHeaderProblem::InsideHeader:
        return FieldWithValue(header, problem.field) + L" がヘッダーの中を指しています";
    case HtmlHeaderProblem::OutOfOrder:
        return FieldWithValue(header, problem.field) + L" が " + FieldWithValue(header, problem.other) +
               L" より後ろを指しています";
    }
    return {};
}

}

bool IsHtmlFormatNode(const CCBData& node)
{
    return node.m_fmt.cfFormat != 0 && AsciiEquals(GetFormatName(node.m_fmt.cfFormat), L"\"HTML Format\"");
}

void AddHtmlHeaderRows(const HtmlFormatHeader& header, CStringArray& rows)
{
    for (const auto& [field, value] : header.fields)
        rows.push_back(FieldName(field) + L"\t" + FromUtf8(value));
    for (const HtmlHeaderProblem& problem : header.problems)
        rows.push_back(ErrorRow(ProblemText(header, problem)));
}

void AddHtmlFormatRows(const CCBData& node, CStringArray& rows)
{
    if (!IsHtmlFormatNode(node) || node.m_nSize == 0)
        return;
    const std::vector<BYTE> head = node.LoadHead(kHeaderReadLimit);
    if (head.empty())
        return;
    AddHtmlHeaderRows(ReadHtmlFormatHeader(ByteSpan(head.data(), head.size()), node.m_nSize), rows);
}
