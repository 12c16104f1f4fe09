#include "shell/edit_history.h"

#include <QTimer>

#include <string>

#include "document/material.h"
#include "document/material_textures.h"
#include "document/mesh_builder.h"
#include "document/quorix_doc.h"
#include "shell/background_derivation.h"

namespace brimvale {

namespace {

// Enough for a working session; the oldest steps go first.
constexpr size_t kMaxSteps = 100;

struct CMaterialState {
  std::string name, texture, bump, alphaMap, fourthMap;
  uint32_t color = 0;
  float alpha = 0, diffuse = 0, ambient = 0, emission = 0, specular = 0, power = 0;

  explicit CMaterialState(const CMaterial& m)
      : name(m.m_strName), texture(m.m_strTexture), bump(m.m_strBump), alphaMap(m.m_strAlphaMap),
        fourthMap(m.m_strFourthMap), color(m.m_Color), alpha(m.m_fAlpha), diffuse(m.m_fDiffuse),
        ambient(m.m_fAmbient), emission(m.m_fEmission), specular(m.m_fSpecular), power(m.m_fPower) {}
  bool operator==(const CMaterialState&) const = default;

  // Puts the state on the material; its textures load again when their names changed.
  void ApplyTo(CQuorixDoc& doc, CMaterial& m) const {
    const bool maps = m.m_strTexture != texture || m.m_strBump != bump || m.m_strAlphaMap != alphaMap;
    m.m_strName = name;
    m.m_strTexture = texture;
    m.m_strBump = bump;
    m.m_strAlphaMap = alphaMap;
    m.m_strFourthMap = fourthMap;
    m.m_Color = color;
    m.m_fAlpha = alpha;
    m.m_fDiffuse = diffuse;
    m.m_fAmbient = ambient;
    m.m_fEmission = emission;
    m.m_fSpecular = specular;
    m.m_fPower = power;
    if (maps) LoadMaterialTextures(doc, m);
  }
};

// The attributes CopyAttributesFrom carries, less the selection; deformers by
// kind only (an edit of their settings is noted by the panel).
bool SameAttributes(const CMeshObject& a, const CMeshObject& b) {
  if (a.m_strName != b.m_strName || a.m_Color != b.m_Color || a.m_bSecondFlag != b.m_bSecondFlag ||
      a.m_bVisible != b.m_bVisible || a.m_bHideFaces != b.m_bHideFaces || a.m_bNoShadow != b.m_bNoShadow ||
      a.m_bSmoothShading != b.m_bSmoothShading || a.m_fFacetAngle != b.m_fFacetAngle ||
      a.m_nPatchType != b.m_nPatchType || a.m_nPatchSegments != b.m_nPatchSegments ||
      a.m_nMirrorType != b.m_nMirrorType || a.m_bMirrorDistanceLimit != b.m_bMirrorDistanceLimit ||
      a.m_bMirrorX != b.m_bMirrorX || a.m_bMirrorY != b.m_bMirrorY || a.m_bMirrorZ != b.m_bMirrorZ ||
      a.m_fMirrorDistance != b.m_fMirrorDistance || a.m_bLathe != b.m_bLathe || a.m_nLatheAxis != b.m_nLatheAxis ||
      a.m_nLatheSegments != b.m_nLatheSegments || a.m_Deformers.size() != b.m_Deformers.size())
    return false;
  for (size_t i = 0; i < a.m_Deformers.size(); ++i) {
    const CDeformer* x = a.m_Deformers[i].get();
    const CDeformer* y = b.m_Deformers[i].get();
    if ((x == nullptr) != (y == nullptr) || (x && std::string(x->TypeName()) != y->TypeName())) return false;
  }
  return true;
}

bool SameCamera(const CScene& a, const CScene& b) {
  return a.m_vPosition == b.m_vPosition && a.m_vLookAt == b.m_vLookAt && a.m_fAngle == b.m_fAngle &&
         a.m_bPerspective == b.m_bPerspective;
}

}  // namespace

struct CEditHistory::CState {
  bool whole = false;   // objects carry their meshes too
  bool camera = false;  // the step changed the camera: undo puts it back (else navigation stays)
  std::vector<std::unique_ptr<CMeshObject>> objects;
  std::vector<CMaterialState> materials;
  CScene scene;
};

CEditHistory::CEditHistory(CQuorixDoc& doc, CBackgroundDerivation& derivation, QObject* parent)
    : QObject(parent), m_Doc(doc), m_Derivation(derivation) {
  m_pCurrent = Capture(false);
  m_Doc.Hub().Register(this);
}

CEditHistory::~CEditHistory() { m_Doc.Hub().Unregister(this); }

std::unique_ptr<CEditHistory::CState> CEditHistory::Capture(bool whole) {
  auto state = std::make_unique<CState>();
  state->whole = whole;
  for (const auto& object : m_Doc.m_Objects) {
    auto copy = std::make_unique<CMeshObject>();
    CMeshBuilder builder(copy.get());
    if (whole) builder.CopyGeometryFrom(*object);
    builder.CopyAttributesFrom(*object);
    state->objects.push_back(std::move(copy));
  }
  for (const auto& material : m_Doc.m_Materials) state->materials.emplace_back(*material);
  state->scene = m_Doc.m_Scene;
  return state;
}

void CEditHistory::Apply(CState& state) {
  if (state.whole) {
    m_Derivation.DropPending();
    m_Doc.m_Objects = std::move(state.objects);
    state.objects.clear();
  } else {
    for (size_t i = 0; i < state.objects.size() && i < m_Doc.m_Objects.size(); ++i) {
      CMeshObject& object = *m_Doc.m_Objects[i];
      if (SameAttributes(object, *state.objects[i])) continue;
      const int current = object.m_bCurrent;  // undo does not move the selection
      CMeshBuilder(&object).CopyAttributesFrom(*state.objects[i]);
      object.m_bCurrent = current;
      m_Derivation.Rederive(object);
    }
  }
  for (size_t i = 0; i < state.materials.size() && i < m_Doc.m_Materials.size(); ++i)
    state.materials[i].ApplyTo(m_Doc, *m_Doc.m_Materials[i]);
  if (!state.camera) return;
  m_Doc.m_Scene.m_vPosition = state.scene.m_vPosition;
  m_Doc.m_Scene.m_vLookAt = state.scene.m_vLookAt;
  m_Doc.m_Scene.m_fAngle = state.scene.m_fAngle;
  m_Doc.m_Scene.m_bPerspective = state.scene.m_bPerspective;
}

void CEditHistory::Push(std::unique_ptr<CState> before) {
  m_Undo.push_back(std::move(before));
  if (m_Undo.size() > kMaxSteps) m_Undo.erase(m_Undo.begin());
  m_Redo.clear();
  emit changed();
}

void CEditHistory::Step(std::vector<std::unique_ptr<CState>>& from, std::vector<std::unique_ptr<CState>>& to) {
  Check();  // an edit not yet recorded becomes a step of its own first
  if (from.empty()) return;
  std::unique_ptr<CState> target = std::move(from.back());
  from.pop_back();
  to.push_back(Capture(target->whole));
  to.back()->camera = target->camera;
  m_bApplying = true;
  Apply(*target);
  // The panels show the restored values; the view draws them.
  m_Doc.Hub().NotifyAll(NOTIFY_CURRENT_OBJECT);
  m_Doc.Hub().NotifyAll(NOTIFY_CURRENT_MATERIAL);
  m_Doc.Hub().NotifyAll(NOTIFY_CAMERA_MOVED);
  m_Doc.Hub().NotifyAll(NOTIFY_REDRAW);
  m_bApplying = false;
  m_pCurrent = Capture(false);
  m_bDirty = false;
  emit changed();
}

void CEditHistory::Undo() { Step(m_Undo, m_Redo); }
void CEditHistory::Redo() { Step(m_Redo, m_Undo); }

void CEditHistory::Clear() {
  m_Undo.clear();
  m_Redo.clear();
  m_pCurrent = Capture(false);
  m_bDirty = false;
  emit changed();
}

void CEditHistory::NoteEdit() {
  if (m_bApplying) return;
  m_bDirty = true;
  ScheduleCheck();
}

void CEditHistory::BeginWholeEdit() {
  Check();
  m_pWholeBefore = Capture(true);
}

void CEditHistory::EndWholeEdit(bool changed) {
  std::unique_ptr<CState> before = std::move(m_pWholeBefore);
  if (!changed || !before) return;
  Push(std::move(before));
  m_pCurrent = Capture(false);
  m_bDirty = false;
}

void CEditHistory::Check() {
  if (m_bApplying) return;
  const bool camera = !SameCamera(m_Doc.m_Scene, m_pCurrent->scene);
  bool differs = m_bDirty || camera || m_Doc.ObjectCount() != static_cast<int>(m_pCurrent->objects.size()) ||
                 m_Doc.MaterialCount() != static_cast<int>(m_pCurrent->materials.size());
  for (size_t i = 0; !differs && i < m_pCurrent->objects.size(); ++i)
    differs = !SameAttributes(*m_Doc.m_Objects[i], *m_pCurrent->objects[i]);
  for (size_t i = 0; !differs && i < m_pCurrent->materials.size(); ++i)
    differs = !(CMaterialState(*m_Doc.m_Materials[i]) == m_pCurrent->materials[i]);
  m_bDirty = false;
  if (!differs) return;
  std::unique_ptr<CState> before = std::move(m_pCurrent);
  before->camera = camera;
  m_pCurrent = Capture(false);
  Push(std::move(before));
}

void CEditHistory::ScheduleCheck() {
  if (m_bCheckQueued) return;
  m_bCheckQueued = true;
  // After the edit's own handler has finished: one step per user action.
  QTimer::singleShot(0, this, [this] {
    m_bCheckQueued = false;
    Check();
  });
}

void CEditHistory::OnDocNotify(int code, uint32_t /*wordParam*/) {
  if (m_bApplying) return;
  if (code == NOTIFY_DOCUMENT_RESET) {
    Clear();  // a new or newly read model starts a history of its own
  } else if (code == NOTIFY_DOCUMENT_LOADED) {
    // Reading ends by framing the model (or keeping the camera of a reload):
    // that is where the new history starts, not an edit.
    m_pCurrent = Capture(false);
  } else if (code == NOTIFY_CAMERA_MOVED) {
    // Navigation is not an edit: the recorded state follows the camera.
    m_pCurrent->scene = m_Doc.m_Scene;
  } else if (code == NOTIFY_REDRAW || code == NOTIFY_CURRENT_OBJECT || code == NOTIFY_CURRENT_MATERIAL) {
    ScheduleCheck();
  }
}

}  // namespace brimvale
