// How a node's own fields stand in a snapshot's manifest, both ways; the
// entries of its bytes and pictures, and its children, are the file's to fill.
#pragma once

#include "capture/CBData.h"
#include "capture/CaptureHost.h"
#include "portable/SnapshotManifest.h"

ManifestNode DescribeNode(const CCBData& node);
// A node of the kind's class with the described fields, its format number
// that of the registered name on this machine; null when the name cannot be
// registered.
std::unique_ptr<CCBData> MakeNode(const ManifestNode& description, const ICaptureHost& host);
