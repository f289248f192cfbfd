// An image list made from a strip of equal images, drawn at another size and
// scaled smoothly to the size wanted, for scales no artwork was drawn for.
#pragma once

#include "framework/Handles.h"

// `count` images of `size` from bitmap `bitmapId` of this module, whose
// pixels of colour `key` are transparent; empty when the bitmap is missing.
// The list is 32-bit with alpha, so the scaled edges stay smooth.
CImageListHandle CreateScaledImageList(UINT bitmapId, int count, SIZE size, COLORREF key);
// The same for a bitmap drawn at `size`: a masked list of its images as they are.
CImageListHandle CreateImageList(UINT bitmapId, int count, SIZE size, COLORREF key);
