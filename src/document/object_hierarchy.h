// The nesting of a document's objects, as the modeller shows it: each object's
// parent is the nearest earlier object with a smaller depth.
#pragma once

#include <memory>
#include <vector>

namespace brimvale {

class CMeshObject;

// For each object of the list, the index of its parent, or -1 for a top-level
// object. Runs in linear time (a stack of the open ancestors).
std::vector<int> ObjectParents(const std::vector<std::unique_ptr<CMeshObject>>& objects);

}  // namespace brimvale
