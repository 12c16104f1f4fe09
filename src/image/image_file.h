// A read-only file for the image readers: closed on every path, with the
// number of bytes left so a header's sizes can be checked before allocating.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace brimvale {

class CImageFile {
 public:
  explicit CImageFile(const std::string& path);
  ~CImageFile();
  CImageFile(const CImageFile&) = delete;
  CImageFile& operator=(const CImageFile&) = delete;

  bool IsOpen() const { return m_pFile != nullptr; }
  std::FILE* Handle() const { return m_pFile; }
  // True only when exactly count bytes came back.
  bool ReadExact(void* buffer, size_t count);
  bool SeekTo(uint64_t offset);
  bool Skip(uint64_t count);
  // Bytes from the current position to the end (0 when unknown).
  uint64_t Remaining() const;

 private:
  std::FILE* m_pFile = nullptr;
};

}  // namespace brimvale
