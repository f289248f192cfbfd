// The check of each kind, made by MakeFormatCheck; each lives in its own file.
#pragma once

#include "portable/FormatCheck.h"

#include <memory>

std::unique_ptr<CFormatCheck> MakeHtmlCheck(uint64_t totalSize);
std::unique_ptr<CFormatCheck> MakeAnsiTextCheck();
std::unique_ptr<CFormatCheck> MakeUnicodeTextCheck();
std::unique_ptr<CFormatCheck> MakeRtfCheck();
std::unique_ptr<CFormatCheck> MakeDibCheck(bool v5, uint64_t totalSize);
std::unique_ptr<CFormatCheck> MakePngCheck();
std::unique_ptr<CFormatCheck> MakeDropFilesCheck();
std::unique_ptr<CFormatCheck> MakeFileGroupCheck(bool wide, const CheckContext& context);
std::unique_ptr<CFormatCheck> MakeShellIdListCheck();
std::unique_ptr<CFormatCheck> MakeDwordCheck(bool dropEffect);
std::unique_ptr<CFormatCheck> MakeUrlCheck(bool wide);
std::unique_ptr<CFormatCheck> MakeWebCustomMapCheck(const CheckContext& context);
