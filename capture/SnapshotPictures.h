// The GDI objects of picture nodes as snapshot files keep them, and made
// again from those bytes: a bitmap as a .bmp file, its palette as its
// entries, metafiles as their own bits. Bytes read back may come from
// anyone: an object is only made from bytes whose layout holds.
#pragma once

#include "framework/Handles.h"
#include "portable/ByteReaderLayout.h"

#include <vector>

using CByteVector = std::vector<uint8_t>;

// Empty when the object cannot be read.
CByteVector BitmapFileBytes(HBITMAP bitmap);
CByteVector PaletteEntryBytes(HPALETTE palette);
CByteVector EnhMetaFileBytes(HENHMETAFILE metafile);
CByteVector MetaFileBytes(HMETAFILE metafile);

// Null when the bytes hold no such object. A bitmap of one bit per pixel
// comes back monochrome, as such bitmaps are made; others match the screen.
CBitmapHandle BitmapFromFileBytes(ByteSpan bytes, int bitsPerPixel);
CPaletteHandle PaletteFromEntryBytes(ByteSpan bytes);
CEnhMetaFileHandle EnhMetaFileFromBytes(ByteSpan bytes);
CMetaFileHandle MetaFileFromBytes(ByteSpan bytes);
