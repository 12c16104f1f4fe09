#include "shell/face_uploads.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include <algorithm>

#include "document/mesh_object.h"
#include "document/quorix_doc.h"
#include "shell/quorix_view.h"

namespace brimvale {
namespace {

// The object a request or a layout is for, while it still has the derived
// geometry `derivedId`; null once either is gone.
CMeshObject* LiveOwner(const CQuorixDoc& doc, uint64_t ownerId, uint64_t derivedId) {
  for (const auto& object : doc.m_Objects) {
    if (!object || object->m_nInstanceId != ownerId) continue;
    return object->m_pDerived && object->m_pDerived->m_nInstanceId == derivedId ? object.get() : nullptr;
  }
  return nullptr;
}

}  // namespace

CFaceUploads::CFaceUploads(CQuorixView& view, QMainWindow* window)
    : QObject(window), m_View(view), m_pUploadTimer(new QTimer(this)), m_pBarTimer(new QTimer(this)),
      m_Bar(window, QStringLiteral("FaceUploadProgress")) {
  m_View.Cache().SetDeferred(true);
  m_pUploadTimer->setInterval(0);  // a piece each time the event loop has nothing else to do
  connect(m_pUploadTimer, &QTimer::timeout, this, &CFaceUploads::UploadTurn);
  m_pBarTimer->setSingleShot(true);
  m_pBarTimer->setInterval(500);
  connect(m_pBarTimer, &QTimer::timeout, this, &CFaceUploads::UpdateBar);
}

CFaceUploads::~CFaceUploads() {
  if (m_Worker.joinable()) m_Worker.join();
}

void CFaceUploads::SetBarDelay(int milliseconds) { m_pBarTimer->setInterval(milliseconds); }

bool CFaceUploads::Busy() const {
  return m_Worker.joinable() || m_pPrepared || !m_Queue.empty() || m_View.Cache().Uploading();
}

void CFaceUploads::AfterFrame() {
  for (CViewGlCache::CFaceRequest& request : m_View.Cache().TakeRequests()) {
    std::erase_if(m_Queue, [&](const auto& queued) { return queued.ownerId == request.ownerId; });
    m_Queue.push_back(std::move(request));
  }
  StartNext();
}

void CFaceUploads::Settle() {
  if (m_Worker.joinable()) m_Worker.join();  // its result waits for Prepared
  m_Retired.clear();
}

void CFaceUploads::Retire(std::unique_ptr<CMeshObject> derived) {
  if (m_Worker.joinable()) m_Retired.push_back(std::move(derived));
}

void CFaceUploads::StartNext() {
  if (m_Worker.joinable() || m_pPrepared || m_View.Cache().Uploading()) return UpdateBar();
  while (!m_Queue.empty()) {
    CViewGlCache::CFaceRequest request = std::move(m_Queue.front());
    m_Queue.pop_front();
    // Queued before an edit replaced the geometry: a later frame asks again.
    const CMeshObject* owner = LiveOwner(m_View.Doc(), request.ownerId, request.derivedId);
    if (owner == nullptr) continue;
    m_nWorkerOwner = request.ownerId;
    // The thread reads the two objects, never the owner's pointer to its
    // derived geometry, which an edit may replace meanwhile (see Retire).
    const CMeshObject* derived = owner->m_pDerived.get();
    m_Worker = std::thread([this, owner, derived, request = std::move(request)] {
      m_pPrepared = PrepareFaces(*owner, *derived, request.smooth, request.options, request.cornersPerPart);
      QMetaObject::invokeMethod(this, [this] { Prepared(); }, Qt::QueuedConnection);
    });
    break;
  }
  UpdateBar();
}

void CFaceUploads::Prepared() {
  if (m_Worker.joinable()) m_Worker.join();
  m_Retired.clear();
  if (!m_pPrepared) return StartNext();
  // An edit may have replaced the geometry meanwhile: its own request follows.
  const bool current = LiveOwner(m_View.Doc(), m_nWorkerOwner, m_pPrepared->Key().derivedId) != nullptr;
  if (!current || !m_View.MakeCurrent()) {
    m_pPrepared.reset();
    return StartNext();
  }
  m_View.Cache().BeginUpload(m_nWorkerOwner, std::move(m_pPrepared));
  m_View.DoneCurrent();
  m_pUploadTimer->start();
  UpdateBar();
}

void CFaceUploads::UploadTurn() {
  bool done = true;
  if (m_View.MakeCurrent()) {
    done = m_View.Cache().UploadSome(m_nCornersPerTurn);
    m_View.DoneCurrent();
  }
  if (!done) return UpdateBar();
  m_pUploadTimer->stop();
  StartNext();
  m_View.RequestUpdate();
  emit facesComplete();
}

void CFaceUploads::UpdateBar() {
  if (!Busy()) {
    m_pBarTimer->stop();
    m_BusySince.invalidate();
    m_Bar.Hide();
    return;
  }
  if (!m_Bar.Shown()) {
    if (!m_BusySince.isValid()) {
      m_BusySince.start();
      m_pBarTimer->start();  // to look again when the delay is over
    }
    if (m_BusySince.elapsed() < m_pBarTimer->interval()) return;
    m_Bar.Show(QApplication::translate("CBackgroundDerivation", "オブジェクトを生成しています..."));
  }
  // While laying out, the bar only shows that work goes on.
  const CViewGlCache& cache = m_View.Cache();
  m_Bar.SetProgress(cache.UploadDone(), cache.Uploading() ? cache.UploadTotal() : 0);
}

}  // namespace brimvale
