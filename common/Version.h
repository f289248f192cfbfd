// Plexa's version, as the version dialog shows it and snapshot files record it.
#pragma once

inline constexpr wchar_t kPlexaVersion[] = L"0.9.0.1";
