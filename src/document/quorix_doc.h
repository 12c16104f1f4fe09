// The one document of the program: objects, materials, the scene camera, the
// display, export and navigation settings, and the Metasequoia folder.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/color.h"
#include "document/deformer.h"
#include "document/display_settings.h"
#include "document/material.h"
#include "document/mesh_object.h"
#include "document/notification_hub.h"
#include "document/scene.h"
#include "document/user_interface.h"

namespace brimvale {

class CQuorixDoc {
 public:
  // Reads MetaseqFolder from settingsPath (no file is read or written when the
  // path is empty), then resets.
  explicit CQuorixDoc(std::string settingsPath = std::string());
  ~CQuorixDoc();
  CQuorixDoc(const CQuorixDoc&) = delete;
  CQuorixDoc& operator=(const CQuorixDoc&) = delete;

  // Deletes every object and material, titles the document "Untitled", clears
  // the current object, resets the camera and announces NOTIFY_DOCUMENT_RESET.
  void Reset();

  CMeshObject* AddObject();
  CMaterial* AddMaterial();
  CMeshObject* CurrentObject() const;
  CMaterial* CurrentMaterial() const;
  void SetCurrentObject(CMeshObject* object);
  void SetCurrentMaterial(CMaterial* material);
  void DiscardAllDerived();

  int ObjectCount() const { return static_cast<int>(m_Objects.size()); }
  int MaterialCount() const { return static_cast<int>(m_Materials.size()); }
  CMeshObject* Object(int i) const;
  CMaterial* Material(int i) const;  // null outside the list (no material)
  int IndexOfObject(const CMeshObject* object) const;
  int IndexOfMaterial(const CMaterial* material) const;

  CNotificationHub& Hub() { return m_Hub; }
  CUserInterface& UI() const { return *m_pUI; }
  void SetUserInterface(CUserInterface* ui) { m_pUI = ui ? ui : &ConsoleUserInterface(); }
  const std::string& SettingsPath() const { return m_strSettingsPath; }

  // Lists, in file order.
  std::vector<std::unique_ptr<CMeshObject>> m_Objects;
  std::vector<std::unique_ptr<CMaterial>> m_Materials;
  CScene m_Scene;
  std::string m_strPathName;  // full path of the file last read
  std::string m_strTitle = "Untitled";
  bool m_bUtf8 = false;       // the file said "CodePage utf8"; else names are CP932
  int m_nDroppedFaces = 0;    // faces the reader refused (bad indices, too few corners)
  int m_nSkippedFaceColours = 0;  // faces read without colours: their COL had too few words

  // Display.
  uint32_t m_crBackground = PackColor(150, 150, 150);
  CDisplaySettings Display;
  float TurntableAngle = 0.0f;
  CBackImage m_BackImage;
  CVector3 m_vDefaultLight[3] = {{100000.0f, 100000.0f, -100000.0f},
                                 {0.0f, -100.0f, 100000.0f},
                                 {-100000.0f, 0.0f, 0.0f}};
  int MouseModeLeft = 2;
  int MouseModeMiddle = 2;
  int MouseModeRight = 0;
  int MouseModeRightLeft = 3;

  // Metasequoia installation folder (texture folders come from its Metaseq.ini).
  std::string MetaseqFolder;

  // Export settings.
  int m_bMegaPov = 1;
  float m_fPovVersion = 3.5f;
  float m_fMegaPovVersion = 0.7f;
  int m_bDefaultLights = 1;
  int m_bLightObjects = 0;
  int m_bSkipHidden = 1;
  int m_bUseInclude = 0;
  std::string m_strIncludeFile;
  std::string m_strExportExtra1;
  std::string m_strExportExtra2;

  // The document's deformers (Bend, Twist, Taper and one more), made by the
  // deform layer through SetDeformerFactory.
  std::vector<std::unique_ptr<CDeformer>> m_Deformers;
  using DeformerFactory = std::vector<std::unique_ptr<CDeformer>> (*)();
  static void SetDeformerFactory(DeformerFactory factory);

 private:
  void DeleteContents();

  CNotificationHub m_Hub;
  CUserInterface* m_pUI = &ConsoleUserInterface();
  std::string m_strSettingsPath;
};

}  // namespace brimvale
