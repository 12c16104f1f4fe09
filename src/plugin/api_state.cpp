#include "plugin/api_state.h"

#include <algorithm>
#include <vector>

#include "document/quorix_doc.h"

namespace brimvale {

namespace {

void ForgetObjects();

// A reset of the active document (a new or opened file) empties it: what
// plug-ins made for it and never added goes too, and nothing stays current.
class CResetListener : public CDocListener {
 public:
  void OnDocNotify(int code, uint32_t) override {
    if (code == NOTIFY_DOCUMENT_RESET) ForgetObjects();
  }
};

// Everything here is touched only on the user-interface thread, where the
// plug-ins run and call back.
struct ApiState {
  CQuorixDoc* doc = nullptr;
  void* window = nullptr;
  CMeshObject* current = nullptr;
  std::vector<std::unique_ptr<CMeshObject>> newObjects;
  std::vector<std::unique_ptr<CMaterial>> newMaterials;
  CResetListener resetListener;
};

ApiState& State() {
  static ApiState state;
  return state;
}

bool IsKept(const CMeshObject* object) {
  for (const auto& kept : State().newObjects) {
    if (kept.get() == object) return true;
  }
  return false;
}

// Clears the current object and frees what plug-ins made and never added.
void ForgetObjects() {
  ApiState& s = State();
  s.current = nullptr;
  s.newObjects.clear();
  s.newMaterials.clear();
}

int g_ObjectToken = 0;

template <typename T>
std::unique_ptr<T> Release(std::vector<std::unique_ptr<T>>& kept, const T* item) {
  auto it = std::find_if(kept.begin(), kept.end(), [item](const auto& p) { return p.get() == item; });
  if (!item || it == kept.end()) return nullptr;
  std::unique_ptr<T> owned = std::move(*it);
  kept.erase(it);
  return owned;
}

}  // namespace

void SetActiveDocument(CQuorixDoc* doc) {
  ApiState& s = State();
  if (s.doc == doc) return;
  // Leaving a document (closing it) frees what was made for it and not added.
  if (s.doc) s.doc->Hub().Unregister(&s.resetListener);
  ForgetObjects();
  s.doc = doc;
  if (doc) doc->Hub().Register(&s.resetListener);
}

CQuorixDoc* ActiveDocument() { return State().doc; }

void SetPlugInWindowHandle(void* handle) { State().window = handle; }
void* PlugInWindowHandle() { return State().window; }

void ClearCurrentObject() { State().current = nullptr; }

void BeginPlugInCommand() {
  ApiState& s = State();
  // What a plug-in made stays its own, and current, until it adds it; only a
  // current object that has left the document since is dropped.
  if (s.current && !IsKept(s.current) && (!s.doc || s.doc->IndexOfObject(s.current) < 0)) s.current = nullptr;
}

void ReleasePlugInObjects() { ForgetObjects(); }

namespace plugin_api {

MQObject ObjectToken() { return reinterpret_cast<MQObject>(&g_ObjectToken); }

CMeshObject* CurrentObject() { return State().current; }
void SetCurrentObject(CMeshObject* object) { State().current = object; }

CMeshObject* KeepNewObject(std::unique_ptr<CMeshObject> object) {
  State().newObjects.push_back(std::move(object));
  return State().newObjects.back().get();
}

CMaterial* KeepNewMaterial(std::unique_ptr<CMaterial> material) {
  State().newMaterials.push_back(std::move(material));
  return State().newMaterials.back().get();
}

std::unique_ptr<CMeshObject> ReleaseNewObject(const CMeshObject* object) {
  return Release(State().newObjects, object);
}

std::unique_ptr<CMaterial> ReleaseNewMaterial(const CMaterial* material) {
  return Release(State().newMaterials, material);
}

}  // namespace plugin_api

}  // namespace brimvale
