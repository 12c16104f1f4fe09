// The files of one export, written side by side to temporary files and renamed
// over their targets only when every one of them is complete. A failure keeps
// every existing file as it was and leaves no temporary file behind.
#pragma once

#include <string>
#include <vector>

namespace brimvale {

class CExportTransaction {
 public:
  CExportTransaction() = default;
  ~CExportTransaction();  // removes every temporary file not yet renamed
  CExportTransaction(const CExportTransaction&) = delete;
  CExportTransaction& operator=(const CExportTransaction&) = delete;

  // Creates an empty temporary file in the target's folder and returns its
  // descriptor (opened for writing) and path; -1 after recording the failure.
  int CreateTemporary(const std::string& target, std::string& temporaryPath);
  // The temporary file holds the target's complete content: flush it to disk
  // and queue it for the rename. Records the failure and returns false when
  // the file cannot be synced.
  bool Complete(const std::string& temporaryPath, const std::string& target);
  // A temporary file that will not be used (its writer gave up).
  void Discard(const std::string& temporaryPath);

  // Records why the export stopped; the first failure is the one reported.
  void Fail(const std::string& target, const std::string& why);
  bool Failed() const { return !m_strError.empty(); }
  const std::string& Error() const { return m_strError; }

  // Renames every completed temporary file over its target, in order. Fails,
  // touching nothing, when a failure was recorded or a target is a folder.
  bool Commit();

 private:
  struct Entry {
    std::string temporary;
    std::string target;
    bool complete = false;
  };
  void RemoveTemporaries();

  std::vector<Entry> m_Entries;
  std::string m_strError;
};

// The text for a failed system call on a file, e.g. "cannot write a.pov: No
// space left on device".
std::string DescribeFileError(const char* action, const std::string& path, int error);

}  // namespace brimvale
