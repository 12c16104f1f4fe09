// The fuzz input as a file the readers can open by path: an anonymous
// in-memory file reached through /proc/self/fd.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

class CFuzzInputFile {
 public:
  CFuzzInputFile(const uint8_t* data, size_t size) : m_Fd(memfd_create("fuzz-input", 0)) {
    size_t written = 0;
    while (m_Fd >= 0 && written < size) {
      const ssize_t n = write(m_Fd, data + written, size - written);
      if (n <= 0) break;
      written += static_cast<size_t>(n);
    }
    if (m_Fd >= 0) m_Path = "/proc/self/fd/" + std::to_string(m_Fd);
  }
  ~CFuzzInputFile() {
    if (m_Fd >= 0) close(m_Fd);
  }
  CFuzzInputFile(const CFuzzInputFile&) = delete;
  CFuzzInputFile& operator=(const CFuzzInputFile&) = delete;
  const std::string& Path() const { return m_Path; }

 private:
  int m_Fd;
  std::string m_Path;
};
