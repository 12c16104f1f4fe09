#include "geometry/parallel_derivation.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <numeric>
#include <thread>

#include "document/mesh_builder.h"

namespace brimvale {

namespace {

std::atomic<int> g_nThreads{0};
// Threads of the pool and of ForEachRangeOnSpareThreads now deriving.
std::atomic<int> g_nWorking{0};

// Counts a pool thread as working while it lives.
struct CWorking {
  CWorking() { g_nWorking.fetch_add(1, std::memory_order_relaxed); }
  ~CWorking() { g_nWorking.fetch_sub(1, std::memory_order_relaxed); }
  CWorking(const CWorking&) = delete;
  CWorking& operator=(const CWorking&) = delete;
};

// The thread count of the pool run this thread works for (0: none).
thread_local int t_nPoolThreads = 0;

// A split over ranges that threads join while it has chunks left.
struct CRangeJob {
  CRangeJob(const std::function<void(size_t, size_t)>& work, size_t items, size_t perChunk)
      : part(work), count(items), chunk(perChunk), chunks((items + perChunk - 1) / perChunk) {}

  void Help() {
    for (size_t c = next.fetch_add(1, std::memory_order_relaxed); c < chunks;
         c = next.fetch_add(1, std::memory_order_relaxed)) {
      try {
        part(c * chunk, std::min(count, (c + 1) * chunk));
      } catch (...) {
        std::lock_guard<std::mutex> lock(failureMutex);
        if (!failure) failure = std::current_exception();
        next.store(chunks, std::memory_order_relaxed);
      }
    }
  }
  bool HasChunks() const { return next.load(std::memory_order_relaxed) < chunks; }

  const std::function<void(size_t, size_t)>& part;
  const size_t count, chunk, chunks;
  std::atomic<size_t> next{0};
  std::mutex failureMutex;
  std::exception_ptr failure;
  int joined = 0;  // pool threads helping now, under g_JobsMutex
};

std::mutex g_JobsMutex;
std::condition_variable g_JobDone;
std::vector<CRangeJob*> g_OpenJobs;

// A pool thread out of items helps open splits before it ends.
void HelpOpenJobs() {
  std::unique_lock<std::mutex> lock(g_JobsMutex);
  for (;;) {
    const auto open = std::find_if(g_OpenJobs.begin(), g_OpenJobs.end(), [](CRangeJob* j) { return j->HasChunks(); });
    if (open == g_OpenJobs.end()) return;
    CRangeJob* job = *open;
    ++job->joined;
    lock.unlock();
    job->Help();
    lock.lock();
    --job->joined;
    g_JobDone.notify_all();
  }
}

// Takes up to `wanted` idle derivation threads (the caller counts as one,
// whether a pool thread or not); released by the caller.
int TakeSpareThreads(int wanted) {
  const int threads = t_nPoolThreads > 0 ? t_nPoolThreads : DerivationThreads();
  int working = g_nWorking.load(std::memory_order_relaxed);
  for (;;) {
    const int spare = std::min(wanted, threads - std::max(working, 1));
    if (spare <= 0) return 0;
    if (g_nWorking.compare_exchange_weak(working, working + spare, std::memory_order_relaxed)) return spare;
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
  if (workers <= 1) {
    const int outer = t_nPoolThreads;
    t_nPoolThreads = threads;
    struct CRestore {
      int value;
      ~CRestore() { t_nPoolThreads = value; }
    } restore{outer};
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
    const CWorking working;
    t_nPoolThreads = threads;
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
    if (!stop.load(std::memory_order_relaxed)) HelpOpenJobs();
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
    for (bool last = false; !last;) {
      finished.wait(lock, [&] { return stopped == workers || done > reported; });
      last = stopped == workers;
      if (done > reported && progress && completed && !failure) {
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
  if (count < 2 * minPerRange) {
    part(0, count);
    return;
  }
  // Small chunks, so that threads that come free later still find some.
  CRangeJob job(part, count, std::max(minPerRange, count / 64));
  {
    std::lock_guard<std::mutex> lock(g_JobsMutex);
    g_OpenJobs.push_back(&job);
  }
  const int extra = TakeSpareThreads(static_cast<int>(std::min<size_t>(job.chunks - 1, 1023)));
  std::vector<std::thread> helpers;
  helpers.reserve(static_cast<size_t>(extra));
  for (int t = 0; t < extra; ++t) helpers.emplace_back([&job] { job.Help(); });
  job.Help();
  {
    std::unique_lock<std::mutex> lock(g_JobsMutex);
    g_OpenJobs.erase(std::find(g_OpenJobs.begin(), g_OpenJobs.end(), &job));
    g_JobDone.wait(lock, [&job] { return job.joined == 0; });
  }
  for (std::thread& helper : helpers) helper.join();
  g_nWorking.fetch_sub(extra, std::memory_order_relaxed);
  if (job.failure) std::rethrow_exception(job.failure);
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
                                    int threads, const DerivationProgress& progress) {
  std::vector<CMeshObject*> wanted;
  for (CMeshObject* object : objects)
    if (object && !object->m_pDerived) wanted.push_back(object);
  const std::vector<size_t> order = CostliestFirst(wanted);
  return RunInParallel(
      wanted.size(), threads, [&](size_t i) { CMeshBuilder(wanted[i]).BuildDerivedGeometry(display); }, progress,
      &order);
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
