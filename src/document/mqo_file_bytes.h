// The bytes of a model file, read whole into memory that the reader hands back
// page by page as it passes them, so a large file does not stay in memory whole
// beside the document built from it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "document/mqo_cursor.h"

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

  // Gives back the whole pages before `offset`; those bytes read as zeros after.
  void ReleaseBefore(size_t offset) override;

 private:
  char* m_pData = nullptr;
  size_t m_nSize = 0;
  size_t m_nMapped = 0;
  size_t m_nReleased = 0;
};

}  // namespace brimvale
