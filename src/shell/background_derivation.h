// Re-deriving objects after an edit without holding up the window. The edited
// object is copied (its own mesh and settings, which are small beside what it
// derives) and the copy derives on the derivation threads; meanwhile the view
// keeps drawing the object's previous derived geometry. When the result comes
// back to the window's thread it replaces that geometry, unless a newer edit of
// the same object came first (its result is the one that counts) or the object
// is gone. A bar shows in the status bar once the work passes half a second.
#pragma once

#include <QObject>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "shell/status_bar_busy.h"

class QMainWindow;
class QTimer;

namespace brimvale {

class CFaceUploads;
class CMeshObject;
class CQuorixDoc;

class CBackgroundDerivation : public QObject {
  Q_OBJECT

 public:
  CBackgroundDerivation(CQuorixDoc& doc, QMainWindow* window);
  ~CBackgroundDerivation() override;

  // Derives `object` again from its current settings. Objects the view does
  // not draw faces of just drop their derived geometry (they derive when drawn).
  void Rederive(CMeshObject& object);
  // Whether results are still to come.
  bool Pending() const { return !m_Current.empty(); }
  // Forgets every unfinished job and drops the derived geometry of the objects
  // they were for, so whatever reads the document next derives them afresh
  // (an export, a new model).
  void DropPending();
  // How long before the bar shows, in milliseconds (tests set 0).
  void SetBarDelay(int milliseconds);
  // The view's face layouts read derived geometry: what this replaces or
  // drops waits for them.
  void SetFaceUploads(CFaceUploads* uploads) { m_pUploads = uploads; }

 signals:
  // A result replaced an object's derived geometry.
  void derived();

 private:
  struct CJob;
  void Work();
  void Deliver(const std::shared_ptr<CJob>& job);
  void UpdateBar();
  void Discard(CMeshObject& object);

  CQuorixDoc& m_Doc;
  CFaceUploads* m_pUploads = nullptr;
  std::map<uint64_t, std::shared_ptr<CJob>> m_Current;  // by object instance, the job that counts
  QTimer* m_pBarTimer;
  CStatusBarBusy m_Bar;

  std::mutex m_Mutex;
  std::condition_variable m_Wake;
  std::deque<std::shared_ptr<CJob>> m_Queue;
  bool m_bStopping = false;
  std::thread m_Worker;
};

}  // namespace brimvale
