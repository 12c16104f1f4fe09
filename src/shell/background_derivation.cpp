#include "shell/background_derivation.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include <atomic>
#include <vector>

#include "document/display_settings.h"
#include "document/mesh_builder.h"
#include "document/quorix_doc.h"
#include "geometry/parallel_derivation.h"
#include "shell/face_uploads.h"

namespace brimvale {

struct CBackgroundDerivation::CJob {
  uint64_t objectId = 0;
  std::unique_ptr<CMeshObject> copy;
  CDisplaySettings display;
  std::atomic<bool> superseded{false};
};

CBackgroundDerivation::CBackgroundDerivation(CQuorixDoc& doc, QMainWindow* window)
    : QObject(window), m_Doc(doc), m_pBarTimer(new QTimer(this)),
      m_Bar(window, QStringLiteral("DerivationProgress")) {
  m_pBarTimer->setSingleShot(true);
  m_pBarTimer->setInterval(500);
  connect(m_pBarTimer, &QTimer::timeout, this, &CBackgroundDerivation::UpdateBar);
  m_Worker = std::thread([this] { Work(); });
}

CBackgroundDerivation::~CBackgroundDerivation() {
  {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_bStopping = true;
    for (const auto& job : m_Queue) job->superseded = true;
    for (const auto& [id, job] : m_Current) job->superseded = true;
  }
  m_Wake.notify_all();
  m_Worker.join();
}

void CBackgroundDerivation::SetBarDelay(int milliseconds) { m_pBarTimer->setInterval(milliseconds); }

void CBackgroundDerivation::Rederive(CMeshObject& object) {
  const auto found = m_Current.find(object.m_nInstanceId);
  if (found != m_Current.end()) {
    found->second->superseded = true;
    m_Current.erase(found);
  }
  if (!m_Doc.Display.ShowFaces || !object.m_bVisible || object.m_bHideFaces || object.VertexCount() == 0 ||
      !object.m_pDerived) {
    Discard(object);
    UpdateBar();
    return;
  }
  auto job = std::make_shared<CJob>();
  job->objectId = object.m_nInstanceId;
  job->copy = std::make_unique<CMeshObject>();
  CMeshBuilder builder(job->copy.get());
  builder.CopyGeometryFrom(object);
  builder.CopyAttributesFrom(object);
  job->display = m_Doc.Display;
  m_Current[job->objectId] = job;
  {
    std::lock_guard<std::mutex> lock(m_Mutex);
    // A queued job the new one supersedes never starts.
    std::erase_if(m_Queue, [](const std::shared_ptr<CJob>& queued) { return queued->superseded.load(); });
    m_Queue.push_back(job);
  }
  m_Wake.notify_one();
  if (!m_Bar.Shown() && !m_pBarTimer->isActive()) m_pBarTimer->start();
}

void CBackgroundDerivation::Discard(CMeshObject& object) {
  if (m_pUploads) m_pUploads->Retire(std::move(object.m_pDerived));
  object.DiscardDerived();
}

void CBackgroundDerivation::DropPending() {
  // What follows may discard any object or its derived geometry.
  if (m_pUploads) m_pUploads->Settle();
  for (const auto& [id, job] : m_Current) {
    job->superseded = true;
    for (const auto& object : m_Doc.m_Objects)
      if (object->m_nInstanceId == id) object->DiscardDerived();
  }
  m_Current.clear();
  UpdateBar();
}

void CBackgroundDerivation::Work() {
  for (;;) {
    std::shared_ptr<CJob> job;
    {
      std::unique_lock<std::mutex> lock(m_Mutex);
      m_Wake.wait(lock, [this] { return m_bStopping || !m_Queue.empty(); });
      if (m_bStopping) return;
      job = std::move(m_Queue.front());
      m_Queue.pop_front();
    }
    if (job->superseded) continue;
    // Large objects spread over the derivation threads inside the chain.
    BuildDerivedGeometryInParallel({job->copy.get()}, &job->display, 0,
                                   [&job](size_t, size_t) { return !job->superseded.load(); });
    if (job->superseded) continue;
    QMetaObject::invokeMethod(this, [this, job] { Deliver(job); }, Qt::QueuedConnection);
  }
}

void CBackgroundDerivation::Deliver(const std::shared_ptr<CJob>& job) {
  const auto found = m_Current.find(job->objectId);
  if (found == m_Current.end() || found->second != job) return;  // superseded meanwhile
  m_Current.erase(found);
  for (const auto& object : m_Doc.m_Objects) {
    if (object->m_nInstanceId != job->objectId) continue;
    Discard(*object);
    object->m_pDerived = std::move(job->copy->m_pDerived);
    break;
  }
  UpdateBar();
  emit derived();
}

void CBackgroundDerivation::UpdateBar() {
  if (m_Current.empty()) {
    m_pBarTimer->stop();
    m_Bar.Hide();
    return;
  }
  // One object derives at a time: the bar only shows that work goes on.
  m_Bar.Show(QApplication::translate("CBackgroundDerivation", "オブジェクトを生成しています..."));
}

}  // namespace brimvale
