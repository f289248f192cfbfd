// Media made again from captured nodes, as their source once delivered them:
// memory from the node's bytes, a stream over its file, a compound storage
// rebuilt from its elements, copies of its GDI objects.
#pragma once

#include "capture/CBData.h"

#include <objidl.h>

// Fills `medium` with the node's data on `tymed` (one TYMED bit); CF_PALETTE
// asks a bitmap node for its palette. A file medium names the node's own
// file, kept alive by `owner`, which the receiver's ReleaseStgMedium releases
// instead of deleting the file.
HRESULT MakeReplayMedium(const CCBData& node, CLIPFORMAT format, DWORD tymed, IUnknown* owner, STGMEDIUM& medium);
// Writes the node's data into the memory block, stream or storage the caller gave.
HRESULT FillReplayMedium(const CCBData& node, STGMEDIUM& medium);
