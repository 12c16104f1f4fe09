#include "export/export_text_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace brimvale {

CExportTextFile::CExportTextFile(CExportTransaction& transaction, std::string target)
    : m_Transaction(transaction), m_strTarget(std::move(target)), m_pBuffer(new char[kBufferSize]) {
  m_fd = m_Transaction.CreateTemporary(m_strTarget, m_strTemporary);
  m_bFailed = m_fd < 0;
}

CExportTextFile::~CExportTextFile() {
  if (m_fd >= 0) {
    ::close(m_fd);
    m_Transaction.Discard(m_strTemporary);
  }
}

void CExportTextFile::Printf(const char* format, ...) {
  char small[512];
  va_list args;
  va_start(args, format);
  const int needed = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (needed < 0) return;
  if (static_cast<size_t>(needed) < sizeof small) {
    Text(std::string_view(small, static_cast<size_t>(needed)));
    return;
  }
  std::vector<char> large(static_cast<size_t>(needed) + 1);
  va_start(args, format);
  std::vsnprintf(large.data(), large.size(), format, args);
  va_end(args);
  Text(std::string_view(large.data(), static_cast<size_t>(needed)));
}

void CExportTextFile::Flush() {
  WriteDirect(std::string_view(m_pBuffer.get(), m_nUsed));
  m_nUsed = 0;
}

void CExportTextFile::WriteDirect(std::string_view text) {
  if (m_bFailed) return;
  const char* p = text.data();
  size_t left = text.size();
  while (left > 0) {
    const ssize_t written = ::write(m_fd, p, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      m_Transaction.Fail(m_strTarget, DescribeFileError("cannot write", m_strTarget, written < 0 ? errno : ENOSPC));
      m_bFailed = true;
      return;
    }
    p += written;
    left -= static_cast<size_t>(written);
  }
}

bool CExportTextFile::Close() {
  if (m_fd < 0) return false;
  Flush();
  const int fd = m_fd;
  m_fd = -1;
  if (m_bFailed) {
    ::close(fd);
    m_Transaction.Discard(m_strTemporary);
    return false;
  }
  if (::close(fd) != 0) {
    m_Transaction.Fail(m_strTarget, DescribeFileError("cannot write", m_strTarget, errno));
    m_Transaction.Discard(m_strTemporary);
    return false;
  }
  return m_Transaction.Complete(m_strTemporary, m_strTarget);
}

}  // namespace brimvale
