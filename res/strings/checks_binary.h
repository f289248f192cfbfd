// Identifiers of the messages of the binary formats' checks, from 24300 to 24599.
// Plain defines, so that the resource script includes them too.
#pragma once

// CF_DIB and CF_DIBV5
#define IDS_CHECK_DIB_HEADER_SHORT              24300   // bytes in the block, header size
#define IDS_CHECK_DIB_HEADER_UNKNOWN            24301   // header size
#define IDS_CHECK_DIB_NOT_V5                     24302   // header size
#define IDS_CHECK_DIB_CORE_HEADER               24303
#define IDS_CHECK_DIB_WIDTH                     24310   // width
#define IDS_CHECK_DIB_HEIGHT                    24311   // height
#define IDS_CHECK_DIB_PLANES                    24312   // planes
#define IDS_CHECK_DIB_BIT_COUNT                 24313   // bit count
#define IDS_CHECK_DIB_BIT_COUNT_ZERO            24314
#define IDS_CHECK_DIB_COLORS_USED               24315   // colours used, bit count
#define IDS_CHECK_DIB_COMPRESSION_UNKNOWN       24320   // compression number
#define IDS_CHECK_DIB_COMPRESSION_BIT_COUNT     24321   // compression name, bit count
#define IDS_CHECK_DIB_COMPRESSION_NO_MASKS      24322   // compression name
#define IDS_CHECK_DIB_COMPRESSION_TOP_DOWN      24323   // compression name
#define IDS_CHECK_DIB_SHORT                     24330   // bytes needed, bytes in the block
#define IDS_CHECK_DIB_SIZE_IMAGE_MISMATCH       24331   // biSizeImage, computed size
#define IDS_CHECK_DIB_SIZE_IMAGE_ZERO           24332   // compression name
#define IDS_CHECK_DIB_PROFILE                   24333   // profile offset, profile size
#define IDS_CHECK_DIB_ALPHA_EMPTY               24334
#define IDS_CHECK_DIB_ALPHA_STRAIGHT            24335
#define IDS_CHECK_DIB_TOP_DOWN                  24336

// "PNG" and "image/png"
#define IDS_CHECK_PNG_SIGNATURE                 24360
#define IDS_CHECK_PNG_CHUNK_LENGTH              24361   // chunk type, length
#define IDS_CHECK_PNG_CHUNK_TYPE                24362
#define IDS_CHECK_PNG_CHUNK_IHDR_FIRST          24363   // the first chunk's type
#define IDS_CHECK_PNG_CHUNK_PAST_END            24364
#define IDS_CHECK_PNG_CHUNK_NO_IEND             24365
#define IDS_CHECK_PNG_CRC                       24366   // chunk type
#define IDS_CHECK_PNG_DATA_AFTER_END            24367   // bytes after IEND

// CF_HDROP
#define IDS_CHECK_HDROP_OFFSET_SHORT            24400   // bytes in the block
#define IDS_CHECK_HDROP_OFFSET_IN_HEADER        24401   // pFiles
#define IDS_CHECK_HDROP_OFFSET_OUTSIDE          24402   // pFiles, bytes in the block
#define IDS_CHECK_HDROP_NO_TERMINATOR           24403
#define IDS_CHECK_HDROP_EMPTY                   24404
#define IDS_CHECK_HDROP_RELATIVE_PATH           24405   // path

// FileGroupDescriptorW and FileGroupDescriptor
#define IDS_CHECK_FILEGROUP_SHORT_RECORDS       24440   // count, records present
#define IDS_CHECK_FILEGROUP_SHORT_NO_COUNT      24441   // bytes in the block
#define IDS_CHECK_FILEGROUP_NAME_TERMINATOR     24442   // index
#define IDS_CHECK_FILEGROUP_NAME_EMPTY          24450   // index, name
#define IDS_CHECK_FILEGROUP_NAME_ABSOLUTE       24451   // index, name
#define IDS_CHECK_FILEGROUP_NAME_DRIVE          24452   // index, name
#define IDS_CHECK_FILEGROUP_NAME_CHARACTERS     24453   // index, name
#define IDS_CHECK_FILEGROUP_NAME_PARENT         24454   // index, name
#define IDS_CHECK_FILEGROUP_NAME_DEVICE         24455   // index, name
#define IDS_CHECK_FILEGROUP_NAME_TRAILING       24456   // index, name
#define IDS_CHECK_FILEGROUP_SIZE_MISMATCH       24460   // index, name, stated size, bytes delivered
#define IDS_CHECK_FILEGROUP_CONTENTS_MISSING    24461   // index, name

// "Shell IDList Array"
#define IDS_CHECK_SHELLIDLIST_NO_COUNT          24500   // bytes in the block
#define IDS_CHECK_SHELLIDLIST_TABLE             24501   // count, bytes in the block
#define IDS_CHECK_SHELLIDLIST_OUTSIDE           24502   // index in aoffset, offset
#define IDS_CHECK_SHELLIDLIST_IN_TABLE          24503   // index in aoffset, offset
#define IDS_CHECK_SHELLIDLIST_PAST_END          24504   // index in aoffset
#define IDS_CHECK_SHELLIDLIST_LENGTH_ONE        24505   // index in aoffset
