// The entries of a file group descriptor block: a 32-bit count, then that many
// FILEDESCRIPTORW (592 bytes, UTF-16 names) or FILEDESCRIPTORA (332 bytes,
// ANSI names) records.
#pragma once

#include "portable/ByteReaderLayout.h"

#include <cstdint>
#include <string>
#include <vector>

// Where the fields lie: the count, then records of this size with the name
// at the same place in each.
constexpr uint64_t kFileGroupCountSize = 4;
constexpr uint64_t kFileGroupNameOffset = 72;
constexpr uint64_t kFileGroupNameUnits = 260;
template <class Char>
constexpr uint64_t kFileGroupRecordSize = kFileGroupNameOffset + kFileGroupNameUnits * sizeof(Char);

// The fields of one record, raw. Which of them the source filled in is told
// by the FD_* bits of `flags`; FILETIMEs are given as one 64-bit count.
template <class Char>
struct FileDescriptor {
    uint32_t flags = 0;
    uint32_t attributes = 0;
    uint64_t creationTime = 0;
    uint64_t lastAccessTime = 0;
    uint64_t lastWriteTime = 0;
    uint32_t fileSizeHigh = 0;
    uint32_t fileSizeLow = 0;
    // cFileName up to its first NUL, all 260 units when it has none; ANSI
    // names are raw bytes for the caller to convert with the ANSI code page.
    std::basic_string<Char> name;
    bool nameTerminated = false;   // a NUL ends it inside the 260 units
};

template <class Char>
struct FileGroup {
    std::vector<FileDescriptor<Char>> files;
    // The count claimed more records than the bytes hold (or the bytes were
    // too short for the count): `files` holds only the whole records present.
    bool truncated = false;
};

FileGroup<char16_t> ReadFileGroupW(ByteSpan bytes);
FileGroup<char> ReadFileGroupA(ByteSpan bytes);
