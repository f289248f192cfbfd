// What a target asked of a snapshot offered again, call by call, for the
// user who wants to see what a program does with what it is handed.
#pragma once

#include <objidl.h>

#include <cstdint>
#include <functional>
#include <string>

struct CReplayCall {
    SYSTEMTIME time{};  // local time
    std::wstring method;  // "GetData", "QueryGetData", ...; "DoDragDrop" for the end of a drag
    std::wstring format;  // the description asked for, as the log shows it; empty when none
    HRESULT result = S_OK;
    uint64_t bytes = 0;  // handed over (GetData, GetDataHere) or set (SetData)
    std::wstring value;  // what the target set, or the effect a drag ended with
};

// Hears of every call as it returns.
using CReplayLog = std::function<void(const CReplayCall&)>;

// "CF_TEXT CONTENT -1 HGLOBAL": name, aspect, index and media of a description.
std::wstring DescribeRequest(const FORMATETC& format);
// S_OK, DV_E_FORMATETC, ... by name; others as hexadecimal.
std::wstring HResultName(HRESULT result);
// A value a target set under `format`: the drop effects of a drop-effect
// format, another DWORD as a number, else the first bytes in hexadecimal.
std::wstring DescribeSetValue(CLIPFORMAT format, const BYTE* bytes, size_t size);
// DROPEFFECT bits by name ("COPY LINK"), or "NONE".
std::wstring DropEffectNames(DWORD effect);
