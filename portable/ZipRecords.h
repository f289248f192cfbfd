// The ZIP records as PKWARE's APPNOTE lays them out (signatures, sizes,
// field offsets), and the entry names the reader and the writer accept.
#pragma once

#include <cstdint>
#include <string_view>

// Local file header, in front of each entry's bytes.
constexpr uint32_t kZipLocalSignature = 0x04034B50;
constexpr uint64_t kZipLocalSize = 30;
constexpr uint64_t kZipLocalFlags = 6;
constexpr uint64_t kZipLocalMethod = 8;
constexpr uint64_t kZipLocalCrc = 14;
constexpr uint64_t kZipLocalCompressedSize = 18;
constexpr uint64_t kZipLocalSize32 = 22;
constexpr uint64_t kZipLocalNameLength = 26;
constexpr uint64_t kZipLocalExtraLength = 28;

// Central directory record, one per entry.
constexpr uint32_t kZipCentralSignature = 0x02014B50;
constexpr uint64_t kZipCentralSize = 46;
constexpr uint64_t kZipCentralFlags = 8;
constexpr uint64_t kZipCentralMethod = 10;
constexpr uint64_t kZipCentralCrc = 16;
constexpr uint64_t kZipCentralCompressedSize = 20;
constexpr uint64_t kZipCentralSize32 = 24;
constexpr uint64_t kZipCentralNameLength = 28;
constexpr uint64_t kZipCentralExtraLength = 30;
constexpr uint64_t kZipCentralCommentLength = 32;
constexpr uint64_t kZipCentralDisk = 34;
constexpr uint64_t kZipCentralLocalOffset = 42;

// End of central directory record, last in the archive but for its comment.
constexpr uint32_t kZipEndSignature = 0x06054B50;
constexpr uint64_t kZipEndSize = 22;
constexpr uint64_t kZipEndDisk = 4;
constexpr uint64_t kZipEndDirectoryDisk = 6;
constexpr uint64_t kZipEndDiskEntries = 8;
constexpr uint64_t kZipEndEntries = 10;
constexpr uint64_t kZipEndDirectorySize = 12;
constexpr uint64_t kZipEndDirectoryOffset = 16;
constexpr uint64_t kZipEndCommentLength = 20;
constexpr uint64_t kZipMaxComment = 0xFFFF;

// ZIP64 end of central directory record and, right before the classic end
// record, the locator that points at it.
constexpr uint32_t kZip64EndSignature = 0x06064B50;
constexpr uint64_t kZip64EndSize = 56;
constexpr uint64_t kZip64EndRecordSize = 4;  // counts the bytes after this field
constexpr uint64_t kZip64EndDisk = 16;
constexpr uint64_t kZip64EndDirectoryDisk = 20;
constexpr uint64_t kZip64EndDiskEntries = 24;
constexpr uint64_t kZip64EndEntries = 32;
constexpr uint64_t kZip64EndDirectorySize = 40;
constexpr uint64_t kZip64EndDirectoryOffset = 48;
constexpr uint32_t kZip64LocatorSignature = 0x07064B50;
constexpr uint64_t kZip64LocatorSize = 20;
constexpr uint64_t kZip64LocatorDisk = 4;
constexpr uint64_t kZip64LocatorEndOffset = 8;
constexpr uint64_t kZip64LocatorDisks = 16;

// The extra field that carries the 64-bit values of the fields set to their
// marker, in the order: size, compressed size, local header offset, disk.
constexpr uint16_t kZip64ExtraId = 0x0001;
constexpr uint16_t kZipMarker16 = 0xFFFF;
constexpr uint32_t kZipMarker32 = 0xFFFFFFFF;

constexpr uint16_t kZipFlagEncrypted = 0x0001;
constexpr uint16_t kZipFlagDataDescriptor = 0x0008;
constexpr uint16_t kZipFlagUtf8 = 0x0800;
constexpr uint16_t kZipVersionDefault = 20;
constexpr uint16_t kZipVersionZip64 = 45;

constexpr uint64_t kZipMaxNameLength = 4096;

