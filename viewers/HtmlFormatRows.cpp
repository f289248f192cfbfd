#include "viewers/HtmlFormatRows.h"

#include "capture/FormatNames.h"
#include "common/AsciiCase.h"
#include "framework/Resource.h"
#include "framework/Utf8.h"
#include "res/strings/viewers.h"

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
    const std::wstring field = FieldWithValue(header, problem.field);
    switch (problem.kind) {
    case HtmlHeaderProblem::Missing:
        return FormatResString(IDS_HTML_FIELD_MISSING, FieldName(problem.field).c_str());
    case HtmlHeaderProblem::NotANumber:
        return FormatResString(IDS_HTML_FIELD_NOT_A_NUMBER, field.c_str());
    case HtmlHeaderProblem::OutsideData:
        return FormatResString(IDS_HTML_FIELD_OUTSIDE_DATA, field.c_str());
    case HtmlHeaderProblem::InsideHeader:
        return FormatResString(IDS_HTML_FIELD_INSIDE_HEADER, field.c_str());
    case HtmlHeaderProblem::OutOfOrder:
        return FormatResString(IDS_HTML_FIELD_OUT_OF_ORDER, field.c_str(),
                               FieldWithValue(header, problem.other).c_str());
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
