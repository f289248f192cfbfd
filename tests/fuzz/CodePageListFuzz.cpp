// The CodePages setting: besides the built-in entries, at most one per piece,
// each named by trimmed non-empty text; the editor's text read back gives the
// same list; the number reader gives back any int written out in decimal.
#include "FuzzSupport.h"
#include "portable/CodePageList.h"

#include <algorithm>

namespace {

constexpr size_t kBuiltIns = 5;
// A setting of a dozen entries or so; longer inputs only make each run slower
// (the work grows with the pieces, no differently).
constexpr size_t kMaxInputBytes = 512;

// Each user entry comes from one piece between semicolons.
void CheckList(const CCodePageArray& list, std::wstring_view stored)
{
    Require(list.size() <= kBuiltIns + std::count(stored.begin(), stored.end(), L';') + 1);
    for (const CPlexaCP& entry : list)
        Require(!entry.m_strName.empty() && entry.m_strName == TrimSpace(entry.m_strName));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxInputBytes)
        return 0;
    const std::wstring stored = Utf16Units(ByteSpan(data, size));
    const CCodePageArray list = BuildCodePageList(stored);
    CheckList(list, stored);

    const std::wstring editorText = CodePagesToEditorText(stored);
    const std::wstring storedAgain = EditorTextToCodePages(editorText);
    // A piece holding a line break of its own becomes two lines in the editor.
    if (stored.find(L"\r\n") == std::wstring::npos)
        Require(BuildCodePageList(storedAgain) == list);
    Require(EditorTextToCodePages(CodePagesToEditorText(storedAgain)) == storedAgain);

    CCodePageArray extended = list;
    const int codePage = ParseCodePageNumber(stored);
    AddCodePageIfMissing(extended, codePage);
    Require(std::count_if(extended.begin(), extended.end(),
                          [&](const CPlexaCP& entry) { return entry.m_nCodePage == codePage; }) >= 1);
    Require(extended.size() - list.size() <= 1);

    if (const auto value = ReadI32(ByteSpan(data, size), 0))
        Require(ParseCodePageNumber(std::to_wstring(*value)) == *value);
    return 0;
}
