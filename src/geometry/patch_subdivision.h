// One patch subdivision pass without its closing link step, for the derivation
// chain: the chain frees the spent source first and lets the next consumer
// build the target's vertex-face links, which keeps the peak memory of a pass
// down to one source plus one target without links.
#pragma once

#include "document/mesh_object.h"

namespace brimvale {

// Writes one pass over source into target (emptied first). Builds the source's
// edges and vertex links when they are missing. The target's edges are built
// unless `targetEdges` is false (the last pass of a mesh only drawn: a quarter
// of its memory would go to edges nobody reads); its vertex links are left invalid.
void SubdivideOnce(CMeshObject& source, CMeshObject& target, bool targetEdges = true);

}  // namespace brimvale
