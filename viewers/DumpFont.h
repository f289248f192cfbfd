// The hex dump's one font, which the HEX page also sets on the placeholder
// the dump takes the place of.
#pragma once

#include "framework/PointFont.h"

// 9-point ＭＳ ゴシック at `dpi`.
inline CFontHandle CreateDumpFont(UINT dpi)
{
    return CreatePointFont(90, L"ＭＳ ゴシック", dpi);
}
