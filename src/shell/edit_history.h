// Undo and redo of what the user changes in the open document: the objects'
// attributes (modifiers, deformers, colours, visibility), the materials, the
// camera set in the side panel, and whatever a plug-in command did.
//
// The history keeps the state after the last recorded step. Once an edit has
// been announced it compares the document with that state and, when they
// differ, records the previous state as a step. Panel edits only touch
// attributes, so their steps hold attributes alone; a plug-in command may
// change meshes and the object list, so its step holds whole objects.
// Navigating with the mouse or keys moves the camera without a step.
#pragma once

#include <QObject>

#include <memory>
#include <vector>

#include "document/notification_hub.h"

namespace brimvale {

class CBackgroundDerivation;
class CMeshObject;
class CQuorixDoc;

class CEditHistory : public QObject, public CDocListener {
  Q_OBJECT

 public:
  CEditHistory(CQuorixDoc& doc, CBackgroundDerivation& derivation, QObject* parent);
  ~CEditHistory() override;

  bool CanUndo() const { return !m_Undo.empty(); }
  bool CanRedo() const { return !m_Redo.empty(); }
  void Undo();
  void Redo();
  // Forgets every step: the document as it is now is where undo stops.
  void Clear();
  // An object's attributes were edited (also when nothing is announced).
  void NoteEdit();
  // Around a command that may change meshes or the object list.
  void BeginWholeEdit();
  void EndWholeEdit(bool changed);
  // Records a step now if the document differs from the last recorded state.
  void Check();

  void OnDocNotify(int code, uint32_t wordParam) override;

 signals:
  void changed();

 private:
  struct CState;
  std::unique_ptr<CState> Capture(bool whole);
  void Apply(CState& state);
  void Push(std::unique_ptr<CState> before);
  void ScheduleCheck();
  void Step(std::vector<std::unique_ptr<CState>>& from, std::vector<std::unique_ptr<CState>>& to);

  CQuorixDoc& m_Doc;
  CBackgroundDerivation& m_Derivation;
  std::unique_ptr<CState> m_pCurrent;
  std::unique_ptr<CState> m_pWholeBefore;
  std::vector<std::unique_ptr<CState>> m_Undo;
  std::vector<std::unique_ptr<CState>> m_Redo;
  bool m_bDirty = false;
  bool m_bCheckQueued = false;
  bool m_bApplying = false;
};

}  // namespace brimvale
