// Resident-memory probes for the benchmarks: the current resident set and the
// process's peak, in bytes (Linux /proc and getrusage).
#pragma once

#include <sys/resource.h>

#include <cstddef>
#include <cstdio>
#include <unistd.h>

namespace brimvale::bench {

inline size_t ResidentBytes() {
  long pages = 0, resident = 0;
  FILE* statm = std::fopen("/proc/self/statm", "r");
  if (!statm) return 0;
  if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
  std::fclose(statm);
  return static_cast<size_t>(resident) * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

inline size_t PeakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<size_t>(usage.ru_maxrss) * 1024u;  // kilobytes on Linux
}

}  // namespace brimvale::bench
