// The messages of the binary formats' checks, by id and variant.
#include "capture/FindingText.h"
#include "res/strings/checks_binary.h"

namespace {

const CheckMessage kMessages[] = {
    {"dib.header", "short", IDS_CHECK_DIB_HEADER_SHORT},
    {"dib.header", "unknown", IDS_CHECK_DIB_HEADER_UNKNOWN},
    {"dib.not-v5", "", IDS_CHECK_DIB_NOT_V5},
    {"dib.core-header", "", IDS_CHECK_DIB_CORE_HEADER},
    {"dib.dimensions", "width", IDS_CHECK_DIB_WIDTH},
    {"dib.dimensions", "height", IDS_CHECK_DIB_HEIGHT},
    {"dib.dimensions", "planes", IDS_CHECK_DIB_PLANES},
    {"dib.dimensions", "bit-count", IDS_CHECK_DIB_BIT_COUNT},
    {"dib.dimensions", "bit-count-zero", IDS_CHECK_DIB_BIT_COUNT_ZERO},
    {"dib.dimensions", "colors-used", IDS_CHECK_DIB_COLORS_USED},
    {"dib.compression", "unknown", IDS_CHECK_DIB_COMPRESSION_UNKNOWN},
    {"dib.compression", "bit-count", IDS_CHECK_DIB_COMPRESSION_BIT_COUNT},
    {"dib.compression", "no-masks", IDS_CHECK_DIB_COMPRESSION_NO_MASKS},
    {"dib.compression", "top-down", IDS_CHECK_DIB_COMPRESSION_TOP_DOWN},
    {"dib.short", "", IDS_CHECK_DIB_SHORT},
    {"dib.size-image", "mismatch", IDS_CHECK_DIB_SIZE_IMAGE_MISMATCH},
    {"dib.size-image", "zero", IDS_CHECK_DIB_SIZE_IMAGE_ZERO},
    {"dib.profile", "", IDS_CHECK_DIB_PROFILE},
    {"dib.alpha-empty", "", IDS_CHECK_DIB_ALPHA_EMPTY},
    {"dib.alpha-straight", "", IDS_CHECK_DIB_ALPHA_STRAIGHT},
    {"dib.top-down", "", IDS_CHECK_DIB_TOP_DOWN},

    {"png.signature", "", IDS_CHECK_PNG_SIGNATURE},
    {"png.chunk", "length", IDS_CHECK_PNG_CHUNK_LENGTH},
    {"png.chunk", "type", IDS_CHECK_PNG_CHUNK_TYPE},
    {"png.chunk", "ihdr-first", IDS_CHECK_PNG_CHUNK_IHDR_FIRST},
    {"png.chunk", "past-end", IDS_CHECK_PNG_CHUNK_PAST_END},
    {"png.chunk", "no-iend", IDS_CHECK_PNG_CHUNK_NO_IEND},
    {"png.crc", "", IDS_CHECK_PNG_CRC},
    {"png.data-after-end", "", IDS_CHECK_PNG_DATA_AFTER_END},

    {"hdrop.offset", "short", IDS_CHECK_HDROP_OFFSET_SHORT},
    {"hdrop.offset", "in-header", IDS_CHECK_HDROP_OFFSET_IN_HEADER},
    {"hdrop.offset", "outside", IDS_CHECK_HDROP_OFFSET_OUTSIDE},
    {"hdrop.no-terminator", "", IDS_CHECK_HDROP_NO_TERMINATOR},
    {"hdrop.empty", "", IDS_CHECK_HDROP_EMPTY},
    {"hdrop.relative-path", "", IDS_CHECK_HDROP_RELATIVE_PATH},

    {"filegroup.short", "records", IDS_CHECK_FILEGROUP_SHORT_RECORDS},
    {"filegroup.short", "no-count", IDS_CHECK_FILEGROUP_SHORT_NO_COUNT},
    {"filegroup.name-terminator", "", IDS_CHECK_FILEGROUP_NAME_TERMINATOR},
    {"filegroup.unsafe-name", "empty", IDS_CHECK_FILEGROUP_NAME_EMPTY},
    {"filegroup.unsafe-name", "absolute", IDS_CHECK_FILEGROUP_NAME_ABSOLUTE},
    {"filegroup.unsafe-name", "drive", IDS_CHECK_FILEGROUP_NAME_DRIVE},
    {"filegroup.unsafe-name", "characters", IDS_CHECK_FILEGROUP_NAME_CHARACTERS},
    {"filegroup.unsafe-name", "parent", IDS_CHECK_FILEGROUP_NAME_PARENT},
    {"filegroup.unsafe-name", "device", IDS_CHECK_FILEGROUP_NAME_DEVICE},
    {"filegroup.unsafe-name", "trailing", IDS_CHECK_FILEGROUP_NAME_TRAILING},
    {"filegroup.size-mismatch", "", IDS_CHECK_FILEGROUP_SIZE_MISMATCH},
    {"filegroup.contents-missing", "", IDS_CHECK_FILEGROUP_CONTENTS_MISSING},

    {"shellidlist.offset", "no-count", IDS_CHECK_SHELLIDLIST_NO_COUNT},
    {"shellidlist.offset", "table", IDS_CHECK_SHELLIDLIST_TABLE},
    {"shellidlist.offset", "outside", IDS_CHECK_SHELLIDLIST_OUTSIDE},
    {"shellidlist.offset", "in-table", IDS_CHECK_SHELLIDLIST_IN_TABLE},
    {"shellidlist.no-terminator", "past-end", IDS_CHECK_SHELLIDLIST_PAST_END},
    {"shellidlist.no-terminator", "length-one", IDS_CHECK_SHELLIDLIST_LENGTH_ONE},
};

} // namespace

const std::span<const CheckMessage> kBinaryCheckMessages = kMessages;
