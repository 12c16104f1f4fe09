#include "document/quorix_doc.h"

#include "document/settings_file.h"

namespace brimvale {

namespace {
CQuorixDoc::DeformerFactory g_deformerFactory = nullptr;
}  // namespace

void CQuorixDoc::SetDeformerFactory(DeformerFactory factory) { g_deformerFactory = factory; }

CQuorixDoc::CQuorixDoc(std::string settingsPath) : m_strSettingsPath(std::move(settingsPath)) {
  if (!m_strSettingsPath.empty()) MetaseqFolder = ReadSettingsFile(m_strSettingsPath);
  if (g_deformerFactory) m_Deformers = g_deformerFactory();
  Reset();
}

CQuorixDoc::~CQuorixDoc() {
  DeleteContents();
  if (!m_strSettingsPath.empty()) WriteSettingsFile(m_strSettingsPath, MetaseqFolder);
  m_Deformers.clear();
}

void CQuorixDoc::DeleteContents() {
  m_Objects.clear();
  m_Materials.clear();
}

void CQuorixDoc::Reset() {
  DeleteContents();
  m_strTitle = "Untitled";
  m_bUtf8 = false;
  m_nDroppedFaces = 0;
  m_nSkippedFaceColours = 0;
  SetCurrentObject(nullptr);
  m_Scene.Reset();
  m_Hub.NotifyAll(NOTIFY_DOCUMENT_RESET);
}

CMeshObject* CQuorixDoc::AddObject() {
  m_Objects.push_back(std::make_unique<CMeshObject>());
  return m_Objects.back().get();
}

CMaterial* CQuorixDoc::AddMaterial() {
  m_Materials.push_back(std::make_unique<CMaterial>());
  return m_Materials.back().get();
}

CMeshObject* CQuorixDoc::CurrentObject() const {
  for (const auto& object : m_Objects) {
    if (object->m_bCurrent) return object.get();
  }
  return nullptr;
}

CMaterial* CQuorixDoc::CurrentMaterial() const {
  for (const auto& material : m_Materials) {
    if (material->m_bCurrent) return material.get();
  }
  return nullptr;
}

void CQuorixDoc::SetCurrentObject(CMeshObject* object) {
  for (const auto& each : m_Objects) each->m_bCurrent = 0;
  if (object) object->m_bCurrent = 1;
  m_Hub.NotifyAll(NOTIFY_CURRENT_OBJECT);
}

void CQuorixDoc::SetCurrentMaterial(CMaterial* material) {
  for (const auto& each : m_Materials) each->m_bCurrent = 0;
  if (material) material->m_bCurrent = 1;
  m_Hub.NotifyAll(NOTIFY_CURRENT_MATERIAL);
}

void CQuorixDoc::DiscardAllDerived() {
  for (const auto& object : m_Objects) object->DiscardDerived();
}

CMeshObject* CQuorixDoc::Object(int i) const {
  if (i < 0 || i >= ObjectCount()) return nullptr;
  return m_Objects[static_cast<size_t>(i)].get();
}

CMaterial* CQuorixDoc::Material(int i) const {
  if (i < 0 || i >= MaterialCount()) return nullptr;
  return m_Materials[static_cast<size_t>(i)].get();
}

int CQuorixDoc::IndexOfObject(const CMeshObject* object) const {
  for (size_t i = 0; i < m_Objects.size(); ++i) {
    if (m_Objects[i].get() == object) return static_cast<int>(i);
  }
  return -1;
}

int CQuorixDoc::IndexOfMaterial(const CMaterial* material) const {
  for (size_t i = 0; i < m_Materials.size(); ++i) {
    if (m_Materials[i].get() == material) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace brimvale
