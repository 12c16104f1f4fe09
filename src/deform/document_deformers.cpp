#include "deform/document_deformers.h"

#include <cstring>

namespace brimvale {

namespace {

template <typename Kind>
Kind* FindDeformer(const CQuorixDoc& doc) {
  for (const auto& deformer : doc.m_Deformers) {
    if (auto* found = dynamic_cast<Kind*>(deformer.get())) return found;
  }
  return nullptr;
}

}  // namespace

std::vector<std::unique_ptr<CDeformer>> MakeDocumentDeformers() {
  std::vector<std::unique_ptr<CDeformer>> deformers;
  deformers.push_back(std::make_unique<CBendDeformer>());
  deformers.push_back(std::make_unique<CTwistDeformer>());
  deformers.push_back(std::make_unique<CTaperDeformer>());
  deformers.push_back(std::make_unique<CDeformer>());
  return deformers;
}

void InstallDeformers() {
  CQuorixDoc::SetDeformerFactory(&MakeDocumentDeformers);
}

CBendDeformer* DocumentBend(const CQuorixDoc& doc) {
  return FindDeformer<CBendDeformer>(doc);
}
CTwistDeformer* DocumentTwist(const CQuorixDoc& doc) {
  return FindDeformer<CTwistDeformer>(doc);
}
CTaperDeformer* DocumentTaper(const CQuorixDoc& doc) {
  return FindDeformer<CTaperDeformer>(doc);
}

CDeformer* FindDeformerOfKind(const std::vector<std::unique_ptr<CDeformer>>& deformers, const char* kind) {
  for (const auto& deformer : deformers) {
    if (deformer && std::strcmp(deformer->TypeName(), kind) == 0) return deformer.get();
  }
  return nullptr;
}

}  // namespace brimvale
