#include "portable/FileGroupLayout.h"

#include <algorithm>

namespace {

constexpr uint64_t kCountSize = 4;
constexpr uint64_t kNameOffset = 72;
constexpr uint64_t kNameUnits = 260;

template <class Char>
constexpr uint64_t kRecordSize = kNameOffset + kNameUnits * sizeof(Char);

template <class Char>
FileDescriptor<Char> ReadRecord(ByteSpan record)
{
    FileDescriptor<Char> file;
    file.flags = *ReadU32(record, 0);
    file.attributes = *ReadU32(record, 36);
    file.creationTime = *ReadU64(record, 40);
    file.lastAccessTime = *ReadU64(record, 48);
    file.lastWriteTime = *ReadU64(record, 56);
    file.fileSizeHigh = *ReadU32(record, 64);
    file.fileSizeLow = *ReadU32(record, 68);
    file.name = ReadTerminated<Char>(record, kNameOffset, kNameUnits).text;
    return file;
}

template <class Char>
FileGroup<Char> ReadFileGroup(ByteSpan bytes)
{
    FileGroup<Char> group;
    auto count = ReadU32(bytes, 0);
    if (!count) {
        group.truncated = true;
        return group;
    }
    const uint64_t present = (bytes.size() - kCountSize) / kRecordSize<Char>;
    group.truncated = *count > present;
    const uint64_t n = std::min<uint64_t>(*count, present);
    group.files.reserve(n);
    for (uint64_t i = 0; i < n; ++i)
        group.files.push_back(ReadRecord<Char>(bytes.subspan(kCountSize + i * kRecordSize<Char>,
                                                            kRecordSize<Char>)));
    return group;
}

} // namespace

FileGroup<char16_t> ReadFileGroupW(ByteSpan bytes)
{
    return ReadFileGroup<char16_t>(bytes);
}

FileGroup<char> ReadFileGroupA(ByteSpan bytes)
{
    return ReadFileGroup<char>(bytes);
}
