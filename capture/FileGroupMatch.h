// Which file group descriptor describes a FileContents format: the last wide
// one of the same aspect, else the last ANSI one of that aspect.
#pragma once

#include "capture/RegisteredFormats.h"

#include <objidl.h>

// The matching element of `items`, or null; `formatOf` gives an element's FORMATETC.
template <class Range, class FormatOf>
auto FindDescriptorFor(const Range& items, DWORD aspect, FormatOf formatOf) -> decltype(&*std::begin(items))
{
    decltype(&*std::begin(items)) wide = nullptr;
    decltype(&*std::begin(items)) ansi = nullptr;
    for (const auto& item : items) {
        const FORMATETC& fmt = formatOf(item);
        if (fmt.dwAspect != aspect)
            continue;
        if (fmt.cfFormat == g_cfFileGroupDescriptorW)
            wide = &item;
        else if (fmt.cfFormat == g_cfFileGroupDescriptor)
            ansi = &item;
    }
    return wide ? wide : ansi;
}
