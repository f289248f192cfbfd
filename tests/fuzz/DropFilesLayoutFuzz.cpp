// Drop lists (CF_HDROP): the paths are the NUL-terminated strings stored one
// after another from pFiles, in the width fWide names, all inside the bytes.
#include "FuzzSupport.h"
#include "portable/DropFilesLayout.h"

#include <variant>

namespace {

template <class Char>
void CheckPaths(ByteSpan bytes, const std::vector<std::basic_string<Char>>& paths, bool complete)
{
    using Unit = std::make_unsigned_t<Char>;
    Require((*ReadU32(bytes, 16) != 0) == (sizeof(Char) == 2));
    uint64_t at = *ReadU32(bytes, 0);
    for (const auto& path : paths) {
        Require(!path.empty());
        for (const Char c : path) {
            Require(c != 0 && static_cast<Unit>(c) == *ReadLE<Unit>(bytes, at));
            at += sizeof(Char);
        }
        Require(*ReadLE<Unit>(bytes, at) == 0);
        at += sizeof(Char);
    }
    const auto closing = ReadLE<Unit>(bytes, at);
    Require(complete ? closing == Unit{0} : (!closing || *closing != 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ByteSpan bytes(data, size);
    const auto list = ReadDropFiles(bytes);
    if (!list)
        return 0;
    Require(size >= 20 && *ReadU32(bytes, 0) >= 20 && *ReadU32(bytes, 0) <= size);
    std::visit([&](const auto& paths) { CheckPaths(bytes, paths, list->complete); }, list->paths);
    return 0;
}
