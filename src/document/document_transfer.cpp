#include "document/document_transfer.h"

#include <utility>

#include "document/quorix_doc.h"

namespace brimvale {

void TakeReadContents(CQuorixDoc& target, CQuorixDoc& source) {
  target.m_Objects = std::move(source.m_Objects);
  target.m_Materials = std::move(source.m_Materials);
  source.m_Objects.clear();
  source.m_Materials.clear();
  target.m_Scene = source.m_Scene;
  target.m_strPathName = source.m_strPathName;
  target.m_strTitle = source.m_strTitle;
  target.m_bUtf8 = source.m_bUtf8;
  target.m_nDroppedFaces = source.m_nDroppedFaces;
  target.Hub().NotifyAll(NOTIFY_DOCUMENT_RESET);
}

}  // namespace brimvale
