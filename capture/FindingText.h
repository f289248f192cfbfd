// The words of findings: each id's message in the interface's language, with
// the finding's values put in for %1, %2, ..., and the severity's name.
#pragma once

#include "portable/Finding.h"

#include <windows.h>

#include <span>
#include <string>

// The text resource of one id's message (of one variant, when it has several).
struct CheckMessage {
    const char* id;
    const char* variant;  // "" for the id's only message
    UINT text;
};

// The messages of each family of checks, one table per file.
extern const std::span<const CheckMessage> kTextCheckMessages;
extern const std::span<const CheckMessage> kBinaryCheckMessages;
extern const std::span<const CheckMessage> kCaptureCheckMessages;

std::wstring FindingMessage(const Finding& finding);
std::wstring SeverityName(FindingSeverity severity);
