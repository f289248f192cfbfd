// The findings of a snapshot as scripts read them: each with the node it
// belongs to, as a path of indexes into the tree of nodes, and the format of
// its top-level node; as JSON or as lines of text.
#pragma once

#include "capture/CBData.h"

#include <nlohmann/json.hpp>

#include <string>

// [{"node": [2, 0], "format": ..., "severity": "error", "id": ..., "offset": ...,
//   "length": ..., "values": [...], "message": ...}, ...]; offset and length
// only where the finding concerns bytes. Messages are in the interface's language.
nlohmann::json FindingsJson(const CCBDataArray& nodes);

// A line each: severity, id, node and format, the bytes it concerns, message.
std::wstring FindingLines(const CCBDataArray& nodes);
