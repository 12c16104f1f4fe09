#include "cli/thumbnail_guard.h"

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>

#include "document/quorix_doc.h"

#if defined(__SANITIZE_ADDRESS__)
#define BRIMVALE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRIMVALE_ADDRESS_SANITIZER 1
#endif
#endif

namespace brimvale::cli {

namespace {

char g_partialFile[4096] = {};

extern "C" void OnCpuTimeExceeded(int) {
  if (g_partialFile[0] != '\0') ::unlink(g_partialFile);
  static const char kMessage[] = "brimvale-cli thumbnail: out of CPU time\n";
  // Only async-signal-safe calls here; nothing useful is left to do if the write fails.
  if (::write(STDERR_FILENO, kMessage, sizeof kMessage - 1) < 0) ::_exit(3);
  ::_exit(3);
}

void Lower(int resource, rlim_t wanted, rlim_t hardMargin) {
  rlimit limit{};
  if (::getrlimit(resource, &limit) != 0) return;
  if (limit.rlim_max != RLIM_INFINITY) wanted = std::min(wanted, limit.rlim_max);
  limit.rlim_cur = std::min(limit.rlim_cur, wanted);
  if (limit.rlim_max == RLIM_INFINITY || limit.rlim_max > wanted + hardMargin) limit.rlim_max = wanted + hardMargin;
  ::setrlimit(resource, &limit);
}

}  // namespace

void LimitThumbnailResources() {
  struct sigaction action{};
  action.sa_handler = &OnCpuTimeExceeded;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGXCPU, &action, nullptr);
  // The hard limit a little later kills the process should the handler not run.
  Lower(RLIMIT_CPU, kThumbnailCpuSeconds, 2);
#ifndef BRIMVALE_ADDRESS_SANITIZER
  Lower(RLIMIT_AS, kThumbnailAddressSpace, 0);
#endif
}

void WatchPartialFile(const std::string& path) {
  g_partialFile[0] = '\0';
  if (path.empty() || path.size() >= sizeof g_partialFile) return;
  std::memcpy(g_partialFile + 1, path.data() + 1, path.size() - 1);
  g_partialFile[path.size()] = '\0';
  // The first byte last, so a signal in between never sees half a name.
  std::atomic_signal_fence(std::memory_order_seq_cst);
  g_partialFile[0] = path[0];
}

double EstimatedDerivedFaces(const CQuorixDoc& doc) {
  double total = 0.0;
  for (const auto& object : doc.m_Objects) {
    if (!object->m_bVisible) continue;
    double faces = static_cast<double>(object->TriangleCount()) + object->QuadCount();
    // A lathe turns every line and face into a ring of faces.
    if (object->m_bLathe) faces = (faces + object->LineCount()) * std::max(object->m_nLatheSegments, 1);
    if (object->m_nMirrorType != 0) faces *= 2.0;
    if (object->m_nPatchType != 0) {
      const double segments = std::max(object->m_nPatchSegments, 1);
      faces *= segments * segments;
    }
    total += faces;
  }
  return total;
}

}  // namespace brimvale::cli
