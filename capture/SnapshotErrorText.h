// The texts of failures while a snapshot is read or written: one naming an
// entry, one carrying the system's error number.
#pragma once

#include "framework/Handles.h"

#include <string>

// Text `id` with the entry name `name` (UTF-8) as its argument.
std::wstring EntryText(UINT id, const std::string& name);
// Text `id` with the last error's number.
std::wstring SystemErrorText(UINT id);
