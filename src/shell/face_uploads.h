// Keeps the window live while large objects' face buffers are made: after each
// frame the view's requests (see CViewGlCache) are laid out on a thread of
// their own, one object at a time, and the result is uploaded a bounded piece
// per turn of the event loop; the view draws the object's previous buffer (or
// nothing) until the new one is complete, then repaints. A bar shows in the
// status bar once the work passes half a second.
//
// The layout reads the object and its derived geometry, so whatever would
// discard either first calls Settle (waits for the layout) or hands derived
// geometry it replaces to Retire (kept until the layout is done).
#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <cstddef>
#include <deque>
#include <memory>
#include <thread>
#include <vector>

#include "shell/status_bar_busy.h"
#include "view/gl_cache.h"

class QMainWindow;
class QTimer;

namespace brimvale {

class CMeshObject;
class CQuorixDoc;
class CQuorixView;

class CFaceUploads : public QObject {
  Q_OBJECT

 public:
  CFaceUploads(CQuorixView& view, QMainWindow* window);
  ~CFaceUploads() override;

  // Takes the requests of the frame just drawn (the view's context current or not).
  void AfterFrame();
  // Returns once no layout reads the document.
  void Settle();
  // Destroys `derived` once no layout reads it.
  void Retire(std::unique_ptr<CMeshObject> derived);
  // Whether faces are still being laid out or uploaded.
  bool Busy() const;
  // Corners uploaded per turn of the event loop (tests set a small number).
  void SetCornersPerTurn(size_t corners) { m_nCornersPerTurn = corners; }
  void SetBarDelay(int milliseconds);

 signals:
  // An object's new face buffer is complete (the view has been asked to repaint).
  void facesComplete();

 private:
  void StartNext();
  void Prepared();
  void UploadTurn();
  void UpdateBar();

  CQuorixView& m_View;
  std::deque<CViewGlCache::CFaceRequest> m_Queue;
  std::thread m_Worker;  // the layout under way, if joinable
  uint64_t m_nWorkerOwner = 0;
  std::unique_ptr<CPreparedFaces> m_pPrepared;  // written by the worker, read once it is joined
  std::vector<std::unique_ptr<CMeshObject>> m_Retired;
  size_t m_nCornersPerTurn = size_t{1} << 19;
  QTimer* m_pUploadTimer;
  QTimer* m_pBarTimer;
  QElapsedTimer m_BusySince;  // valid while busy
  CStatusBarBusy m_Bar;
};

}  // namespace brimvale
