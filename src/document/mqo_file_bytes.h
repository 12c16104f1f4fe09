// The bytes of a model file: a regular file is mapped read-only (no copy, and
// the pages come from the page cache already filled), anything else is read
// into anonymous memory. Either way the reader hands the pages back as it passes
// them, so a large file does not stay in memory whole beside the document.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "document/mqo_cursor.h"
#include "foundation/mapping_guard.h"

namespace brimvale {

class CMqoFileBytes : public CMqoByteSource {
 public:
  CMqoFileBytes() = default;
  ~CMqoFileBytes() override;
  CMqoFileBytes(const CMqoFileBytes&) = delete;
  CMqoFileBytes& operator=(const CMqoFileBytes&) = delete;

  // Reads the file read-only (never locked, never written). False with a
  // reason ("No such file or directory", ...) when it cannot be read.
  bool Load(const std::string& path, std::string& reason);
  std::string_view Bytes() const { return {m_pData, m_nSize}; }

  // The open file while it is mapped, else -1.
  int Descriptor() const { return m_nFd; }

  // Bytes built in memory instead of mapped (a stream read piece by piece):
  // room for at least `bytes`, and bytes added at the end. False when the
  // memory cannot be had or the bytes pass 4 GiB; never for a mapped file.
  bool Reserve(size_t bytes);
  bool Append(const char* data, size_t size);

  // Whether the file is as it was when Load opened it: the same size and time
  // of change, and no page of the mapping found cut off meanwhile. A reader
  // that finished on a changed file must not keep what it read.
  bool Unchanged() const;

  // Told with the offset and the size whenever the reader releases pages.
  void SetProgress(std::function<void(size_t, size_t)> progress) { m_Progress = std::move(progress); }

  // Gives back the whole pages before `offset`; the reader must not go back to them.
  void ReleaseBefore(size_t offset) override;
  // Every byte is there from the start.
  size_t FillTo(size_t) override { return m_nSize; }

 private:
  // Maps a regular file read-only; false (nothing held) when it cannot be.
  bool MapFile(int fd, size_t size);

  char* m_pData = nullptr;
  size_t m_nSize = 0;
  size_t m_nMapped = 0;
  size_t m_nReleased = 0;
  int m_nFd = -1;
  bool m_bFileMapped = false;
  struct timespec m_ChangeTime {};
  CMappingGuard m_Guard;
  std::function<void(size_t, size_t)> m_Progress;
};

}  // namespace brimvale
