#include "portable/DropFilesLayout.h"

#include <utility>

namespace {

constexpr uint64_t kHeaderSize = 20;

template <class Char>
DropFilesList ReadPaths(ByteSpan bytes, uint64_t offset)
{
    std::vector<std::basic_string<Char>> paths;
    DropFilesList list;
    list.complete = ForEachDropPath<Char>(bytes, offset, [&](uint64_t, std::basic_string<Char>& path) {
        paths.push_back(std::move(path));
    });
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
