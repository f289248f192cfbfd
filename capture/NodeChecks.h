// The checks of a whole snapshot: each top-level format's bytes against its
// format's rules, facts only the capture could see, and every error line of
// every node, kept as the nodes' findings.
#pragma once

#include "capture/CBData.h"

#include <array>

// The check of a top-level format, by its description.
CheckKind CheckKindOf(const FORMATETC& fmt);
// The kind to check while the format's bytes are copied: None for the kinds
// that need the rest of the snapshot, which are checked at the end.
CheckKind CopyCheckKindOf(const FORMATETC& fmt);

enum class CheckMoment {
    Captured,  // the source's files are on this machine, as the capture saw them
    Opened,    // a saved snapshot: the facts of its capture are gone
};

// Fills every node's m_findings: finishes the checks fed during the copy,
// reads the bytes of the formats that had none, and adds a finding for each
// error line.
void CheckSnapshot(CCBDataArray& nodes, CheckMoment moment);

// The findings of `node` and of everything below it, in tree order, each with
// its node.
struct NodeFinding {
    const CCBData* node;
    const Finding* finding;
};
void CollectFindings(const CCBDataArray& nodes, std::vector<NodeFinding>& out);
// How many findings of each severity the nodes and their subtrees have, in
// FindingSeverity's order.
std::array<unsigned, 3> CountFindings(const CCBDataArray& nodes);
// The worst severity among the node's own findings, or none.
std::optional<FindingSeverity> WorstSeverity(const CCBData& node);
// The worst among every finding of the nodes and their subtrees.
std::optional<FindingSeverity> WorstSeverity(const CCBDataArray& nodes);
