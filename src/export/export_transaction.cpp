#include "export/export_transaction.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace brimvale {
namespace {

constexpr size_t kMaxTemporaryStem = 180;  // keeps the temporary name under NAME_MAX

// A new file gets the mode an ordinary fopen would give it; a replaced file
// keeps its own mode.
mode_t ModeFor(const std::string& target) {
  struct stat existing;
  if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) return existing.st_mode & 07777;
  mode_t mask = 022;
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) == 0) {
      mask = static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
      break;
    }
  }
  return static_cast<mode_t>(0666 & ~mask);
}

bool SyncFolder(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

}  // namespace

std::string DescribeFileError(const char* action, const std::string& path, int error) {
  return std::string(action) + " " + path + ": " + std::strerror(error);
}

CExportTransaction::~CExportTransaction() { RemoveTemporaries(); }

int CExportTransaction::CreateTemporary(const std::string& target, std::string& temporaryPath) {
  if (Failed()) return -1;
  std::string name = std::filesystem::path(target).filename().string();
  if (name.empty()) {
    Fail(target, "cannot write " + target + ": the path names no file");
    return -1;
  }
  if (name.size() > kMaxTemporaryStem) name.resize(kMaxTemporaryStem);
  temporaryPath = (std::filesystem::path(target).parent_path() / ("." + name + ".XXXXXX")).string();
  std::vector<char> pattern(temporaryPath.begin(), temporaryPath.end());
  pattern.push_back('\0');
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) {
    Fail(target, DescribeFileError("cannot write", target, errno));
    return -1;
  }
  temporaryPath.assign(pattern.data());
  m_Entries.push_back({temporaryPath, target, false});
  if (::fchmod(fd, ModeFor(target)) != 0) {
    Fail(target, DescribeFileError("cannot write", target, errno));
    ::close(fd);
    return -1;
  }
  return fd;
}

bool CExportTransaction::Complete(const std::string& temporaryPath, const std::string& target) {
  for (Entry& entry : m_Entries) {
    if (entry.temporary != temporaryPath) continue;
    const int fd = ::open(temporaryPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
      Fail(target, DescribeFileError("cannot write", target, errno));
      if (fd >= 0) ::close(fd);
      return false;
    }
    ::close(fd);
    entry.complete = true;
    return true;
  }
  Fail(target, "cannot write " + target + ": its temporary file was lost");
  return false;
}

void CExportTransaction::Discard(const std::string& temporaryPath) {
  for (auto it = m_Entries.begin(); it != m_Entries.end(); ++it) {
    if (it->temporary == temporaryPath) {
      ::unlink(it->temporary.c_str());
      m_Entries.erase(it);
      return;
    }
  }
}

void CExportTransaction::Fail(const std::string& target, const std::string& why) {
  if (m_strError.empty()) m_strError = why.empty() ? "cannot write " + target : why;
}

bool CExportTransaction::Commit() {
  if (Failed()) {
    RemoveTemporaries();
    return false;
  }
  // Check every target first so that a doomed rename cannot leave half of
  // the set replaced.
  for (const Entry& entry : m_Entries) {
    struct stat existing;
    if (!entry.complete) Fail(entry.target, "cannot write " + entry.target + ": it was not completed");
    else if (::stat(entry.target.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode))
      Fail(entry.target, DescribeFileError("cannot write", entry.target, EISDIR));
    if (Failed()) {
      RemoveTemporaries();
      return false;
    }
  }
  for (size_t i = 0; i < m_Entries.size(); ++i) {
    if (std::rename(m_Entries[i].temporary.c_str(), m_Entries[i].target.c_str()) != 0) {
      Fail(m_Entries[i].target, DescribeFileError("cannot write", m_Entries[i].target, errno));
      m_Entries.erase(m_Entries.begin(), m_Entries.begin() + static_cast<std::ptrdiff_t>(i));
      RemoveTemporaries();
      return false;
    }
  }
  // Make the new names durable; a failure here loses nothing already on disk.
  if (!m_Entries.empty()) SyncFolder(m_Entries.front().target);
  m_Entries.clear();
  return true;
}

void CExportTransaction::RemoveTemporaries() {
  for (const Entry& entry : m_Entries) ::unlink(entry.temporary.c_str());
  m_Entries.clear();
}

}  // namespace brimvale
