#include "document/corner_normals.h"

namespace brimvale {

void CCornerNormals::Zeroed(size_t corners) {
  m_Index.assign(corners, 0);
  m_Table.assign(1, CVector3(0.0f, 0.0f, 0.0f));
}

void CCornerNormals::push_back(const CVector3& normal) {
  if (m_Table.empty()) m_Table.push_back(CVector3(0.0f, 0.0f, 0.0f));
  m_Table.push_back(normal);
  m_Index.push_back(static_cast<uint32_t>(m_Table.size() - 1));
}

void CCornerNormals::Clear() {
  CNormalIndexArray().swap(m_Index);
  CNormalArray().swap(m_Table);
}

}  // namespace brimvale
