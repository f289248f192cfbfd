// Plexa's version: the code, the version resource and the packages all take
// it from here, so the version dialog, /?, snapshot files and Explorer's
// Details page agree. The resource compiler reads only the macros.
#pragma once

#define PLEXA_VERSION_MAJOR 0
#define PLEXA_VERSION_MINOR 9
#define PLEXA_VERSION_PATCH 0
#define PLEXA_VERSION_BUILD 1
#define PLEXA_VERSION_TEXT "0.9.0.1"

#ifndef RC_INVOKED
inline constexpr wchar_t kPlexaVersion[] = L"" PLEXA_VERSION_TEXT;
#endif
