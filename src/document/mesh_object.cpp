#include "document/mesh_object.h"

#include <atomic>

namespace brimvale {

// Released in the specified order: derived geometry, deformers, then geometry.
CMeshObject::~CMeshObject() {
  m_pDerived.reset();
  m_Deformers.clear();
}

uint64_t CMeshObject::NextInstanceId() {
  static std::atomic<uint64_t> next{1};
  return next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace brimvale
