#include "portable/FileGroupLayout.h"

#include <algorithm>
#include <utility>

namespace {

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
    auto name = ReadTerminated<Char>(record, kFileGroupNameOffset, kFileGroupNameUnits);
    file.name = std::move(name.text);
    file.nameTerminated = name.terminated;
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
    const uint64_t present = (bytes.size() - kFileGroupCountSize) / kFileGroupRecordSize<Char>;
    group.truncated = *count > present;
    const uint64_t n = std::min<uint64_t>(*count, present);
    group.files.reserve(n);
    for (uint64_t i = 0; i < n; ++i) {
        const uint64_t at = kFileGroupCountSize + i * kFileGroupRecordSize<Char>;
        group.files.push_back(ReadRecord<Char>(bytes.subspan(at, kFileGroupRecordSize<Char>)));
    }
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
