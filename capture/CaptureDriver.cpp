#include "capture/CaptureDriver.h"

#include "capture/RegisteredFormats.h"
#include "capture/CBDataCreateContext.h"
#include "capture/CBDataFileDescriptor.h"
#include "capture/NodeChecks.h"
#include "framework/Clipboard.h"
#include "framework/Format.h"
#include "framework/OleDataObject.h"
#include "framework/Resource.h"
#include "framework/StgMedium.h"
#include "portable/LocaleLayout.h"
#include "res/strings/capture.h"

#include <ole2.h>

#include <algorithm>
#include <chrono>
#include <cwchar>
#include <unordered_set>

namespace {

using Clock = std::chrono::steady_clock;

// Adds the time since `started` to the node's fetch time line, made on first
// use: a format's virtual files are fetched after every format is taken.
void AddFetchTime(CCBData& node, Clock::time_point started)
{
    auto milliseconds = static_cast<unsigned long long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count());
    CStringArray& rows = node.m_arrInfo;
    const auto line = std::find_if(rows.begin(), rows.end(), IsFetchTimeRow);
    if (line != rows.end()) {
        milliseconds += std::wcstoull(line->c_str() + line->find(L'\t') + 1, nullptr, 10);
        rows.erase(line);
    }
    rows.push_back(LoadResString(IDS_FETCH_TIME_ROW_KEY) + FormatString(L"%llu ms", milliseconds));
}

struct SameDescription {
    bool operator()(const FORMATETC& a, const FORMATETC& b) const
    {
        return a.cfFormat == b.cfFormat && a.dwAspect == b.dwAspect && a.lindex == b.lindex && a.ptd == b.ptd &&
               a.tymed == b.tymed;
    }
};

struct DescriptionHash {
    size_t operator()(const FORMATETC& fmt) const
    {
        const uint64_t packed = (uint64_t{fmt.cfFormat} << 48) ^ (uint64_t{fmt.dwAspect} << 32) ^
                                (uint64_t{static_cast<DWORD>(fmt.lindex)} << 16) ^ fmt.tymed;
        return std::hash<uint64_t>{}(packed) ^ std::hash<const void*>{}(fmt.ptd);
    }
};

void TakePalette(CCBDataCreateContext& context)
{
    if (!context.m_pDataObject) {
        context.m_hPalette = static_cast<HPALETTE>(::GetClipboardData(CF_PALETTE));
        return;
    }
    FORMATETC fmt{CF_PALETTE, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    CStgMedium medium;
    if (context.m_pDataObject->GetData(fmt, medium) && medium.hBitmap) {
        context.m_paletteCopy.Attach(static_cast<HPALETTE>(::OleDuplicateData(medium.hBitmap, CF_PALETTE, 0)));
        context.m_hPalette = context.m_paletteCopy;
    }
}

// CF_TEXT is read with the ANSI code page of the first usable CF_LOCALE.
void ApplyLocaleCodePage(CCBDataArray& nodes)
{
    for (const auto& locale : nodes) {
        if (locale->m_fmt.cfFormat != CF_LOCALE || locale->m_nSize < sizeof(LCID))
            continue;
        const auto bytes = locale->LoadData();
        if (!bytes)
            continue;
        const auto lcid = ReadLocaleId(ByteSpan(bytes.get(), static_cast<size_t>(locale->m_nSize)));
        DWORD codePage = 0;
        if (!lcid || !::GetLocaleInfoW(*lcid, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                                       reinterpret_cast<LPWSTR>(&codePage), sizeof(codePage) / sizeof(wchar_t)))
            continue;
        for (const auto& text : nodes) {
            if (text->m_fmt.cfFormat == CF_TEXT) {
                text->m_nCodePage = static_cast<int>(codePage);
                text->m_arrInfo.push_back(FormatResString(IDS_CODE_PAGE_ROW, static_cast<int>(codePage)));
            }
        }
        return;
    }
}

// Items are asked with `askedAs`, the OLE clipboard's description, where a
// refused item falls back to the whole block; or else with their node's own.
void CaptureAllFileContents(CCBDataArray& nodes, CCBDataCreateContext& context, const FORMATETC* askedAs = nullptr)
{
    for (const auto& node : nodes) {
        if (node->m_fmt.cfFormat != g_cfFileContents)
            continue;
        context.ShowItem(GetFormatEtcName(node->m_fmt));
        if (context.ShouldStop())
            return;
        if (const CCBData_FileDescriptor* descriptor = FindFileGroupDescriptor(nodes, *node)) {
            const Clock::time_point started = Clock::now();
            node->m_pChildren = std::make_unique<CCBDataArray>();
            CaptureFileContents(*node->m_pChildren, context, *descriptor, askedAs ? *askedAs : node->m_fmt,
                                askedAs != nullptr);
            AddFetchTime(*node, started);
        }
    }
}

bool HasDescribedFileContents(const CCBDataArray& nodes)
{
    return std::any_of(nodes.begin(), nodes.end(), [&](const auto& node) {
        return node->m_fmt.cfFormat == g_cfFileContents && FindFileGroupDescriptor(nodes, *node);
    });
}

// The Win32 clipboard lists FileContents with neither aspect nor medium;
// the OLE clipboard's own description carries what the source offered.
FORMATETC OfferedFileContents(const COleDataObject& oleClipboard)
{
    for (const FORMATETC& fmt : oleClipboard.EnumFormats()) {
        if (fmt.cfFormat == g_cfFileContents)
            return fmt;
    }
    return FORMATETC{static_cast<CLIPFORMAT>(g_cfFileContents), nullptr, DVASPECT_CONTENT, -1,
                     TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_ISTORAGE};
}

void CaptureFileContentsOf(CCBDataArray& nodes, CCBDataCreateContext& context, CClipboard* pasted)
{
    IDataObject* oleClipboard = nullptr;
    if (!pasted || !HasDescribedFileContents(nodes) || FAILED(::OleGetClipboard(&oleClipboard))) {
        CaptureAllFileContents(nodes, context);
        return;
    }
    COleDataObject source(CComPtr<IDataObject>::Adopt(oleClipboard));
    // Asking the OLE clipboard opens the Win32 one.
    pasted->Close();
    const FORMATETC offered = OfferedFileContents(source);
    context.m_pDataObject = &source;
    CaptureAllFileContents(nodes, context, &offered);
    context.m_pDataObject = nullptr;
}

}

void EnumFormats(const COleDataObject* dataObject, CFormatEtcArray& formats)
{
    if (dataObject) {
        const CFormatEtcArray offered = dataObject->EnumFormats();
        formats.insert(formats.end(), offered.begin(), offered.end());
    } else {
        for (UINT format = ::EnumClipboardFormats(0); format; format = ::EnumClipboardFormats(format))
            formats.push_back(FORMATETC{static_cast<CLIPFORMAT>(format), nullptr, 0, -1, 0});
    }
    // Sources may offer hundreds of thousands of descriptions: one pass,
    // keeping the first of each.
    std::unordered_set<FORMATETC, DescriptionHash, SameDescription> seen;
    seen.reserve(formats.size());
    std::erase_if(formats, [&](const FORMATETC& fmt) { return !seen.insert(fmt).second; });
}

CaptureOutcome CaptureAll(CCBDataArray& result, COleDataObject* dataObject, const CFormatEtcArray& formats,
                          const ICaptureHost& host, ICaptureProgress& progress, CClipboard* pasted)
{
    CCBDataCreateContext context(host, progress);
    context.m_pDataObject = dataObject;
    TakePalette(context);

    for (const FORMATETC& fmt : formats) {
        context.ShowItem(GetFormatEtcName(fmt));
        if (context.ShouldStop())
            break;
        context.m_nTotal = 0;
        const Clock::time_point started = Clock::now();
        context.CheckNextCopy(CopyCheckKindOf(fmt));
        result.push_back(context.CreateData(fmt));
        context.CheckNextCopy(CheckKind::None);
        AddFetchTime(*result.back(), started);
        progress.ShowProgress(result.size(), formats.size());
    }
    ApplyLocaleCodePage(result);
    CaptureFileContentsOf(result, context, pasted);
    CheckSnapshot(result, CheckMoment::Captured);
    // Asked once more: a stop during the last fetch, which it cancelled, may not have been seen yet.
    return context.ShouldStop() ? CaptureOutcome::Stopped : CaptureOutcome::Complete;
}
