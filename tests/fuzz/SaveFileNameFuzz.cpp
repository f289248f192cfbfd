// The name proposed for a saved node: never empty, never a character a file
// name cannot hold, whatever the node's name and format name.
#include "FuzzSupport.h"
#include "portable/SaveFileName.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The node's name, a NUL unit, then the format's name.
    const std::wstring text = Utf16Units(ByteSpan(data, size));
    const size_t split = text.find(L'\0');
    const std::wstring_view all(text);
    const std::wstring_view nodeName = all.substr(0, split);
    const std::wstring_view formatName = split == std::wstring::npos ? std::wstring_view() : all.substr(split + 1);
    const std::wstring name = ProposeSaveFileName(nodeName, formatName);
    Require(!name.empty());
    for (wchar_t c : name)
        Require(c >= 0x20 && std::wstring_view(L"\\/:*?\"<>|").find(c) == std::wstring_view::npos);
    return 0;
}
