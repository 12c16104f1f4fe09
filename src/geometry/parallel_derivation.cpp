#include "geometry/parallel_derivation.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <numeric>
#include <thread>

#include "document/mesh_builder.h"

namespace brimvale {

namespace {

std::atomic<int> g_nThreads{0};
constexpr std::chrono::milliseconds kHeartbeat{100};
// Threads of pool runs and range splits now at work.
std::atomic<int> g_nBusy{0};

class CBusy {
 public:
  explicit CBusy(int threads) : m_nThreads(threads) { g_nBusy.fetch_add(threads, std::memory_order_relaxed); }
  ~CBusy() { g_nBusy.fetch_sub(m_nThreads, std::memory_order_relaxed); }
  CBusy(const CBusy&) = delete;
  CBusy& operator=(const CBusy&) = delete;

 private:
  int m_nThreads;
};

// Claims up to `wanted` of the derivation threads nobody works on now; the
// caller counts as one of the busy ones.
int TakeSpareThreads(int wanted) {
  int busy = g_nBusy.load(std::memory_order_relaxed);
  for (;;) {
    const int spare = std::min(wanted, DerivationThreads() - std::max(busy, 1));
    if (spare <= 0) return 0;
    if (g_nBusy.compare_exchange_weak(busy, busy + spare, std::memory_order_relaxed)) return spare;
  }
}

}  // namespace

int AllCores() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(std::min(cores, 1024u));
}

int DerivationThreads() {
  const int set = g_nThreads.load(std::memory_order_relaxed);
  return set > 0 ? set : AllCores();
}

void SetDerivationThreads(int threads) { g_nThreads.store(threads > 0 ? threads : 0, std::memory_order_relaxed); }

bool RunInParallel(size_t count, int threads, const std::function<void(size_t)>& work,
                   const DerivationProgress& progress, const std::vector<size_t>* order) {
  if (threads <= 0) threads = DerivationThreads();
  const auto item = [order](size_t i) { return order ? (*order)[i] : i; };
  const size_t workers = std::min(count, static_cast<size_t>(threads));
  // With progress to report, even one item runs on a thread of its own, so
  // that the caller (the window) hears from the work while it lasts.
  if (workers == 0 || (workers == 1 && !progress)) {
    const CBusy busy(1);
    for (size_t i = 0; i < count; ++i) {
      work(item(i));
      if (progress && !progress(i + 1, count)) return i + 1 == count;
    }
    return true;
  }

  std::atomic<size_t> next{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable finished;
  size_t done = 0;
  size_t stopped = 0;
  std::exception_ptr failure;
  auto run = [&] {
    const CBusy busy(1);
    for (;;) {
      if (stop.load(std::memory_order_relaxed)) break;
      const size_t i = next.fetch_add(1, std::memory_order_relaxed);
      if (i >= count) break;
      std::exception_ptr error;
      try {
        work(item(i));
      } catch (...) {
        error = std::current_exception();
        stop.store(true, std::memory_order_relaxed);
      }
      std::lock_guard<std::mutex> lock(mutex);
      ++done;
      if (error && !failure) failure = error;
      finished.notify_one();
    }
    std::lock_guard<std::mutex> lock(mutex);
    ++stopped;
    finished.notify_one();
  };

  std::vector<std::thread> pool;
  pool.reserve(workers);
  for (size_t t = 0; t < workers; ++t) pool.emplace_back(run);
  bool completed = true;
  {
    std::unique_lock<std::mutex> lock(mutex);
    size_t reported = 0;
    // Checked after each report, so that work that ends before this thread
    // first looks is still reported.
    const auto news = [&] { return stopped == workers || done > reported; };
    for (bool last = false; !last;) {
      // A report at least every tenth of a second, even while one large item
      // keeps every thread busy.
      const bool heard = progress ? finished.wait_for(lock, kHeartbeat, news) : (finished.wait(lock, news), true);
      last = stopped == workers;
      if ((done > reported || !heard) && progress && completed && !failure) {
        reported = done;
        const size_t now = done;
        lock.unlock();
        if (!progress(now, count)) {
          completed = false;
          stop.store(true, std::memory_order_relaxed);
        }
        lock.lock();
      }
      reported = std::max(reported, done);
    }
  }
  for (std::thread& thread : pool) thread.join();
  if (failure) std::rethrow_exception(failure);
  return completed || done == count;
}

void ForEachRangeOnSpareThreads(size_t count, size_t minPerRange,
                                const std::function<void(size_t, size_t)>& part) {
  minPerRange = std::max<size_t>(1, minPerRange);
  const size_t ranges = count / minPerRange;
  const int extra = ranges < 2 ? 0 : TakeSpareThreads(static_cast<int>(std::min<size_t>(ranges - 1, 1023)));
  if (extra == 0) {
    part(0, count);
    return;
  }
  // A few ranges per thread, so that a thread slowed down by others still
  // leaves work for the rest.
  const size_t chunk = std::max(minPerRange, count / (4 * static_cast<size_t>(extra + 1)));
  const size_t chunks = (count + chunk - 1) / chunk;
  std::atomic<size_t> next{0};
  std::mutex failureMutex;
  std::exception_ptr failure;
  auto help = [&] {
    for (size_t c = next.fetch_add(1, std::memory_order_relaxed); c < chunks;
         c = next.fetch_add(1, std::memory_order_relaxed)) {
      try {
        part(c * chunk, std::min(count, (c + 1) * chunk));
      } catch (...) {
        const std::lock_guard<std::mutex> lock(failureMutex);
        if (!failure) failure = std::current_exception();
        next.store(chunks, std::memory_order_relaxed);
      }
    }
  };
  std::vector<std::thread> helpers;
  try {
    helpers.reserve(static_cast<size_t>(extra));
    for (int t = 0; t < extra; ++t) helpers.emplace_back(help);
  } catch (...) {
    // No thread to be had: what started helps, the caller does the rest.
  }
  help();
  for (std::thread& helper : helpers) helper.join();
  g_nBusy.fetch_sub(extra, std::memory_order_relaxed);
  if (failure) std::rethrow_exception(failure);
}

double DerivationCost(const CMeshObject& object) {
  double cost = 1.0 + object.TriangleCount() + object.QuadCount() + object.LineCount();
  if (object.m_bLathe) cost *= std::max(1, object.m_nLatheSegments);
  if (object.m_nMirrorType != 0) {
    cost *= object.m_bMirrorX ? 2.0 : 1.0;
    cost *= object.m_bMirrorY ? 2.0 : 1.0;
    cost *= object.m_bMirrorZ ? 2.0 : 1.0;
  }
  if (object.m_nPatchType != 0) {
    for (int pass = 0; pass < 4; ++pass) {
      cost *= 4.0;
      if (object.m_nPatchSegments < (4 << pass)) break;
    }
  }
  return cost;
}

std::vector<size_t> CostliestFirst(const std::vector<CMeshObject*>& objects) {
  std::vector<double> costs(objects.size());
  for (size_t i = 0; i < objects.size(); ++i) costs[i] = DerivationCost(*objects[i]);
  std::vector<size_t> order(objects.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return costs[a] > costs[b]; });
  return order;
}

bool BuildDerivedGeometryInParallel(const std::vector<CMeshObject*>& objects, const CDisplaySettings* display,
                                    int threads, const DerivationProgress& progress, bool keepUVs) {
  std::vector<CMeshObject*> wanted;
  for (CMeshObject* object : objects)
    if (object && !object->m_pDerived) wanted.push_back(object);
  const std::vector<size_t> order = CostliestFirst(wanted);
  return RunInParallel(
      wanted.size(), threads, [&](size_t i) { CMeshBuilder(wanted[i]).BuildDerivedGeometry(display, keepUVs); },
      progress, &order);
}

bool FreezeInParallel(const std::vector<CMeshObject*>& objects, int threads, const DerivationProgress& progress) {
  std::vector<CMeshObject*> wanted;
  for (CMeshObject* object : objects)
    if (object) wanted.push_back(object);
  const std::vector<size_t> order = CostliestFirst(wanted);
  return RunInParallel(
      wanted.size(), threads, [&](size_t i) { CMeshBuilder(wanted[i]).FreezeModifiers(); }, progress, &order);
}

}  // namespace brimvale
