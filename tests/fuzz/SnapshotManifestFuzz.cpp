// Snapshot manifests: whatever is read is written back and read again to the
// same manifest, and nothing nests past the node depth limit.
#include "FuzzSupport.h"
#include "portable/SnapshotManifest.h"

namespace {

int Depth(const std::vector<ManifestNode>& nodes)
{
    int deepest = 0;
    for (const ManifestNode& node : nodes)
        deepest = std::max(deepest, 1 + (node.children ? Depth(*node.children) : 0));
    return deepest;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SnapshotManifest manifest;
    if (ReadManifest(ByteSpan(data, size), manifest)) {
        Require(manifest == SnapshotManifest{});
        return 0;
    }
    Require(Depth(manifest.nodes) <= kMaxNodeDepth);
    const std::string written = WriteManifest(manifest);
    SnapshotManifest again;
    Require(!ReadManifest(ByteSpan(reinterpret_cast<const uint8_t*>(written.data()), written.size()), again));
    Require(again == manifest);
    return 0;
}
