#include "capture/ReplayLog.h"

#include "capture/FormatNames.h"
#include "framework/Format.h"

#include <ole2.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string_view>
#include <utility>

namespace {

struct CNamedResult {
    HRESULT result;
    const wchar_t* name;
};

constexpr CNamedResult kResults[] = {
    {S_OK, L"S_OK"},
    {S_FALSE, L"S_FALSE"},
    {DV_E_FORMATETC, L"DV_E_FORMATETC"},
    {DV_E_TYMED, L"DV_E_TYMED"},
    {DV_E_LINDEX, L"DV_E_LINDEX"},
    {DV_E_DVASPECT, L"DV_E_DVASPECT"},
    {DATA_S_SAMEFORMATETC, L"DATA_S_SAMEFORMATETC"},
    {STG_E_MEDIUMFULL, L"STG_E_MEDIUMFULL"},
    {STG_E_READFAULT, L"STG_E_READFAULT"},
    {E_INVALIDARG, L"E_INVALIDARG"},
    {E_OUTOFMEMORY, L"E_OUTOFMEMORY"},
    {E_NOTIMPL, L"E_NOTIMPL"},
    {E_FAIL, L"E_FAIL"},
    {OLE_E_ADVISENOTSUPPORTED, L"OLE_E_ADVISENOTSUPPORTED"},
    {DRAGDROP_S_DROP, L"DRAGDROP_S_DROP"},
    {DRAGDROP_S_CANCEL, L"DRAGDROP_S_CANCEL"},
};

constexpr size_t kShownBytes = 16;

// The formats whose DWORD is a set of drop effects, as Plexa names them.
constexpr std::wstring_view kDropEffectFormats[] = {L"CFSTR_PREFERREDDROPEFFECT", L"CFSTR_PERFORMEDDROPEFFECT",
                                                    L"CFSTR_PASTESUCCEEDED", L"CFSTR_LOGICALPERFORMEDDROPEFFECT"};

}

std::wstring DescribeRequest(const FORMATETC& format)
{
    // The name lists end in their separator.
    const auto names = [](std::wstring list) {
        while (!list.empty() && list.back() == L' ')
            list.pop_back();
        return list;
    };
    return GetFormatName(format.cfFormat) + L" " + names(GetAspectNames(format.dwAspect)) + L" " +
           std::to_wstring(format.lindex) + L" " + names(GetTymedNames(format.tymed));
}

std::wstring HResultName(HRESULT result)
{
    const auto found = std::find_if(std::begin(kResults), std::end(kResults),
                                    [result](const CNamedResult& named) { return named.result == result; });
    if (found != std::end(kResults))
        return found->name;
    return FormatString(L"0x%08lX", static_cast<unsigned long>(result));
}

std::wstring DropEffectNames(DWORD effect)
{
    static constexpr std::pair<DWORD, const wchar_t*> kEffects[] = {
        {DROPEFFECT_COPY, L"COPY"}, {DROPEFFECT_MOVE, L"MOVE"}, {DROPEFFECT_LINK, L"LINK"}};
    std::wstring names;
    for (const auto& [bit, name] : kEffects) {
        if (effect & bit)
            names += (names.empty() ? L"" : L" ") + std::wstring(name);
    }
    return names.empty() ? L"NONE" : names;
}

std::wstring DescribeSetValue(CLIPFORMAT format, const BYTE* bytes, size_t size)
{
    if (size == sizeof(DWORD)) {
        DWORD value = 0;
        std::memcpy(&value, bytes, sizeof(value));
        const std::wstring name = GetFormatName(format);
        const bool effect = std::find(std::begin(kDropEffectFormats), std::end(kDropEffectFormats), name) !=
                            std::end(kDropEffectFormats);
        return effect ? FormatString(L"%lu (%s)", value, DropEffectNames(value).c_str()) : std::to_wstring(value);
    }
    std::wstring hex;
    for (size_t i = 0; i < std::min(size, kShownBytes); ++i)
        hex += FormatString(i ? L" %02X" : L"%02X", bytes[i]);
    return size > kShownBytes ? hex + L" ..." : hex;
}
