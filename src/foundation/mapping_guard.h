// Read-only file mappings that survive the file being cut short under them.
// A page past the new end of a mapped file raises SIGBUS when touched; while a
// range is registered here, such a page is replaced by zeros instead and the
// range is marked, so the reader finishes (reading zeros) and then reports the
// change rather than the process dying.
#pragma once

#include <cstddef>

namespace brimvale {

class CMappingGuard {
 public:
  CMappingGuard() = default;
  ~CMappingGuard() { Release(); }
  CMappingGuard(const CMappingGuard&) = delete;
  CMappingGuard& operator=(const CMappingGuard&) = delete;

  // Watches [begin, begin + bytes). False when every slot is taken (the
  // caller then reads the file without a mapping).
  bool Watch(const void* begin, size_t bytes);
  // Stops watching; a fault in the range afterwards is no longer caught.
  void Release();
  // Whether a page of the range was found cut off since Watch.
  bool Faulted() const;

 private:
  int m_nSlot = -1;
};

}  // namespace brimvale
