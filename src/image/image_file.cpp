#include "image/image_file.h"

#include <sys/stat.h>

namespace brimvale {

CImageFile::CImageFile(const std::string& path) : m_pFile(std::fopen(path.c_str(), "rb")) {}

CImageFile::~CImageFile() {
  if (m_pFile != nullptr) std::fclose(m_pFile);
}

bool CImageFile::ReadExact(void* buffer, size_t count) {
  if (count == 0) return true;
  return std::fread(buffer, 1, count, m_pFile) == count;
}

bool CImageFile::SeekTo(uint64_t offset) {
  if (offset > static_cast<uint64_t>(INT64_MAX)) return false;
  return fseeko(m_pFile, static_cast<off_t>(offset), SEEK_SET) == 0;
}

bool CImageFile::Skip(uint64_t count) {
  if (count > static_cast<uint64_t>(INT64_MAX)) return false;
  return fseeko(m_pFile, static_cast<off_t>(count), SEEK_CUR) == 0;
}

uint64_t CImageFile::Remaining() const {
  struct stat info {};
  if (fstat(fileno(m_pFile), &info) != 0) return 0;
  const off_t position = ftello(m_pFile);
  if (position < 0 || info.st_size < position) return 0;
  return static_cast<uint64_t>(info.st_size - position);
}

}  // namespace brimvale
