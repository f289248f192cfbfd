#include "portable/DropFilesLayout.h"

#include <limits>

namespace {

constexpr uint64_t kHeaderSize = 20;

template <class Char>
DropFilesList ReadPaths(ByteSpan bytes, uint64_t offset)
{
    std::vector<std::basic_string<Char>> paths;
    DropFilesList list;
    for (;;) {
        auto path = ReadTerminated<Char>(bytes, offset, std::numeric_limits<uint64_t>::max());
        if (!path.terminated)
            break;
        if (path.text.empty()) {
            list.complete = true;
            break;
        }
        paths.push_back(std::move(path.text));
        offset = path.end;
    }
    list.paths = std::move(paths);
    return list;
}

} // namespace

std::optional<DropFilesList> ReadDropFiles(ByteSpan bytes)
{
    if (bytes.size() < kHeaderSize)
        return std::nullopt;
    const uint32_t files = *ReadU32(bytes, 0);
    const bool wide = *ReadU32(bytes, 16) != 0;
    if (files < kHeaderSize || files > bytes.size())
        return std::nullopt;
    return wide ? ReadPaths<char16_t>(bytes, files) : ReadPaths<char>(bytes, files);
}
