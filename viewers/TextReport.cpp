#include "viewers/TextReport.h"

#include "framework/Resource.h"
#include "res/strings/viewers.h"

namespace {

UINT LineBreakText(LineBreakKind kind)
{
    switch (kind) {
    case LineBreakKind::CrLf:
        return IDS_LINE_BREAKS_CRLF;
    case LineBreakKind::LfOnly:
        return IDS_LINE_BREAKS_LF_ONLY;
    case LineBreakKind::CrOnly:
        return IDS_LINE_BREAKS_CR_ONLY;
    case LineBreakKind::Mixed:
        return IDS_LINE_BREAKS_MIXED;
    case LineBreakKind::None:
        break;
    }
    return IDS_LINE_BREAKS_NONE;
}

}

std::wstring TextReport(bool nulFound, LineBreakKind lineBreaks)
{
    return FormatResString(IDS_TEXT_REPORT, LoadResString(nulFound ? IDS_TEXT_NUL_FOUND : IDS_TEXT_NUL_NONE).c_str(),
                           LoadResString(LineBreakText(lineBreaks)).c_str());
}
