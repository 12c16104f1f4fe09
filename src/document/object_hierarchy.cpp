#include "document/object_hierarchy.h"

#include "document/mesh_object.h"

namespace brimvale {

std::vector<int> ObjectParents(const std::vector<std::unique_ptr<CMeshObject>>& objects) {
  std::vector<int> parents(objects.size(), -1);
  std::vector<int> open;  // ancestors of the next object, depths strictly rising
  for (size_t i = 0; i < objects.size(); ++i) {
    const int depth = objects[i]->m_nDepth;
    while (!open.empty() && objects[static_cast<size_t>(open.back())]->m_nDepth >= depth) open.pop_back();
    parents[i] = open.empty() ? -1 : open.back();
    open.push_back(static_cast<int>(i));
  }
  return parents;
}

}  // namespace brimvale
