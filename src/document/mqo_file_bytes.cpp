#include "document/mqo_file_bytes.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace brimvale {

namespace {

constexpr size_t kChunk = size_t{1} << 20;
// A stream that never ends (a device, a pipe) stops being read here.
constexpr size_t kMaxFileBytes = size_t{4} << 30;

struct FileDescriptor {
  int fd = -1;
  ~FileDescriptor() {
    if (fd >= 0) close(fd);
  }
};

size_t PageSize() {
  static const size_t size = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  return size;
}

size_t RoundUpToPage(size_t bytes) {
  return (bytes + PageSize() - 1) / PageSize() * PageSize();
}

}  // namespace

CMqoFileBytes::~CMqoFileBytes() {
  m_Guard.Release();
  if (m_pData) munmap(m_pData, m_nMapped);
  if (m_nFd >= 0) close(m_nFd);
}

bool CMqoFileBytes::Unchanged() const {
  if (m_nFd < 0) return true;
  if (m_Guard.Faulted()) return false;
  struct stat info {};
  if (fstat(m_nFd, &info) != 0) return false;
  return static_cast<size_t>(info.st_size) == m_nSize && info.st_mtim.tv_sec == m_ChangeTime.tv_sec &&
         info.st_mtim.tv_nsec == m_ChangeTime.tv_nsec;
}

bool CMqoFileBytes::MapFile(int fd, size_t size) {
  void* mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  if (mapped == MAP_FAILED) return false;
  if (!m_Guard.Watch(mapped, size)) {
    munmap(mapped, size);
    return false;
  }
  madvise(mapped, size, MADV_SEQUENTIAL);
  m_pData = static_cast<char*>(mapped);
  m_nMapped = size;
  m_nSize = size;
  m_bFileMapped = true;
  return true;
}

bool CMqoFileBytes::Load(const std::string& path, std::string& reason) {
  FileDescriptor file;
  file.fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file.fd < 0) {
    reason = std::strerror(errno);
    return false;
  }
  struct stat info {};
  if (fstat(file.fd, &info) != 0) {
    reason = std::strerror(errno);
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    reason = std::strerror(EISDIR);
    return false;
  }
  if (S_ISREG(info.st_mode) && info.st_size > 0 && static_cast<uint64_t>(info.st_size) <= kMaxFileBytes &&
      MapFile(file.fd, static_cast<size_t>(info.st_size))) {
    // Kept open to tell afterwards whether the file changed under the reader.
    m_ChangeTime = info.st_mtim;
    m_nFd = file.fd;
    file.fd = -1;
    return true;
  }
  if (!Reserve(S_ISREG(info.st_mode) ? static_cast<size_t>(info.st_size) : kChunk)) {
    reason = std::strerror(ENOMEM);
    return false;
  }
  for (;;) {
    if (m_nSize == m_nMapped && !Reserve(m_nMapped * 2)) {
      reason = std::strerror(ENOMEM);
      return false;
    }
    const ssize_t got = read(file.fd, m_pData + m_nSize, m_nMapped - m_nSize);
    if (got < 0) {
      if (errno == EINTR) continue;
      reason = std::strerror(errno);
      return false;
    }
    if (got == 0) break;
    m_nSize += static_cast<size_t>(got);
    if (m_nSize > kMaxFileBytes) {
      reason = std::strerror(EFBIG);
      return false;
    }
  }
  return true;
}

bool CMqoFileBytes::Reserve(size_t bytes) {
  if (m_bFileMapped) return false;
  if (m_pData && bytes < m_nMapped) return true;
  const size_t wanted = RoundUpToPage(bytes + 1);
  void* grown = mmap(nullptr, wanted, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (grown == MAP_FAILED) return false;
  if (m_pData) {
    std::memcpy(grown, m_pData, m_nSize);
    munmap(m_pData, m_nMapped);
  }
  m_pData = static_cast<char*>(grown);
  m_nMapped = wanted;
  return true;
}

bool CMqoFileBytes::Append(const char* data, size_t size) {
  if (m_nSize + size > kMaxFileBytes) return false;
  if (m_nSize + size > m_nMapped && !Reserve(std::max(m_nMapped * 2, m_nSize + size))) return false;
  std::memcpy(m_pData + m_nSize, data, size);
  m_nSize += size;
  return true;
}

void CMqoFileBytes::ReleaseBefore(size_t offset) {
  if (!m_pData) return;
  if (m_Progress) m_Progress(offset, m_nSize);
  // Keep the page the reader is in: it may still step back within its line.
  const size_t page = PageSize();
  const size_t end = offset / page * page;
  if (end < m_nReleased + page) return;
  const size_t upTo = end - page;
  if (upTo <= m_nReleased) return;
  madvise(m_pData + m_nReleased, upTo - m_nReleased, MADV_DONTNEED);
  m_nReleased = upTo;
}

}  // namespace brimvale
