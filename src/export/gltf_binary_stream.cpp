#include "export/gltf_binary_stream.h"

#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace brimvale {

bool WriteWhole(int fd, const void* data, size_t size) {
  const auto* p = static_cast<const unsigned char*>(data);
  while (size > 0) {
    const ssize_t written = ::write(fd, p, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = ENOSPC;
      return false;
    }
    p += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

CGltfBinaryStream::CGltfBinaryStream(CExportTransaction& transaction, std::string target)
    : m_Transaction(transaction), m_strTarget(std::move(target)), m_pBuffer(new unsigned char[kBufferSize]) {
  m_fd = m_Transaction.CreateTemporary(m_strTarget, m_strTemporary);
  m_bFailed = m_fd < 0;
}

CGltfBinaryStream::~CGltfBinaryStream() {
  if (m_fd >= 0) {
    ::close(m_fd);
    m_Transaction.Discard(m_strTemporary);
  }
}

void CGltfBinaryStream::Fail(const std::string& target, int error) {
  m_Transaction.Fail(target, DescribeFileError("cannot write", target, error));
  m_bFailed = true;
}

void CGltfBinaryStream::Write(const void* data, size_t size) {
  if (size > kBufferSize - m_nUsed) {
    Flush();
    if (size > kBufferSize) {
      if (!m_bFailed && !WriteWhole(m_fd, data, size)) Fail(m_strTarget, errno);
      m_nFlushed += size;
      return;
    }
  }
  std::memcpy(m_pBuffer.get() + m_nUsed, data, size);
  m_nUsed += size;
}

void CGltfBinaryStream::Align(size_t alignment) {
  static const unsigned char kZeros[16] = {};
  const size_t over = static_cast<size_t>(Size() % alignment);
  if (over != 0) Write(kZeros, alignment - over);
}

void CGltfBinaryStream::Flush() {
  if (!m_bFailed && m_nUsed > 0 && !WriteWhole(m_fd, m_pBuffer.get(), m_nUsed)) Fail(m_strTarget, errno);
  m_nFlushed += m_nUsed;
  m_nUsed = 0;
}

long CGltfBinaryStream::ReadPiece(uint64_t from, size_t length, unsigned char* buffer) {
  for (;;) {
    const ssize_t got = ::pread(m_fd, buffer, length, static_cast<off_t>(from));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) Fail(m_strTarget, got < 0 ? errno : EIO);
    return static_cast<long>(got);
  }
}

void CGltfBinaryStream::Rewind() {
  m_nUsed = 0;
  m_nFlushed = 0;
  if (!m_bFailed && (::ftruncate(m_fd, 0) != 0 || ::lseek(m_fd, 0, SEEK_SET) != 0)) Fail(m_strTarget, errno);
}

bool CGltfBinaryStream::Complete() {
  if (m_fd < 0) return false;
  Flush();
  const int fd = m_fd;
  m_fd = -1;
  const bool closed = ::close(fd) == 0;
  if (!m_bFailed && !closed) Fail(m_strTarget, errno);
  if (m_bFailed) {
    m_Transaction.Discard(m_strTemporary);
    return false;
  }
  return m_Transaction.Complete(m_strTemporary, m_strTarget);
}

bool CGltfBinaryStream::AppendTo(int fd, const std::string& fdTarget) {
  if (m_fd < 0) return false;
  Flush();
  off_t from = 0;
  const auto total = static_cast<off_t>(m_nFlushed);
  while (!m_bFailed && from < total) {
    const ssize_t copied = ::copy_file_range(m_fd, &from, fd, nullptr, static_cast<size_t>(total - from), 0);
    if (copied > 0) continue;
    if (copied < 0 && errno == EINTR) continue;
    if (copied < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
      // No in-kernel copy here: through a buffer instead.
      while (!m_bFailed && from < total) {
        const ssize_t got = ::pread(m_fd, m_pBuffer.get(), kBufferSize, from);
        if (got <= 0) {
          Fail(fdTarget, got < 0 ? errno : EIO);
        } else if (!WriteWhole(fd, m_pBuffer.get(), static_cast<size_t>(got))) {
          Fail(fdTarget, errno);
        } else {
          from += got;
        }
      }
      break;
    }
    Fail(fdTarget, copied < 0 ? errno : ENOSPC);
  }
  ::close(m_fd);
  m_fd = -1;
  m_Transaction.Discard(m_strTemporary);
  return !m_bFailed;
}

}  // namespace brimvale
