// The findings of a snapshot as scripts read them: one object per finding
// with the node it belongs to, as a path of indexes into the tree of nodes.
#pragma once

#include "capture/CBData.h"

#include <nlohmann/json.hpp>

// [{"node": [2, 0], "format": ..., "severity": "error", "id": ..., "offset": ...,
//   "length": ..., "values": [...], "message": ...}, ...]; offset and length
// only where the finding concerns bytes. Messages are in the interface's language.
nlohmann::json FindingsJson(const CCBDataArray& nodes);
