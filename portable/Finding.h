// What a check found in a node's bytes: a stable id that scripts and the
// documentation use, how bad it is, where it is, and the values its message
// shows. The message's text is the interface's; a finding holds no words.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class FindingSeverity {
    Error,    // a reader that follows the format's rules fails or misreads
    Warning,  // readers disagree, or data is likely lost
    Note,     // a fact worth knowing
};

struct Finding {
    std::string id;          // "html.offset-order"
    FindingSeverity severity = FindingSeverity::Error;
    // Which of the id's messages, when it has more than one ("missing",
    // "not-number"); empty for its only one.
    std::string variant;
    // The bytes it concerns, when it concerns some.
    std::optional<uint64_t> offset;
    uint64_t length = 0;
    // The message's inserts %1, %2, ... as UTF-8: field names, numbers, names.
    std::vector<std::string> values;

    bool operator==(const Finding&) const = default;
};

using FindingList = std::vector<Finding>;
