// .mqoz files: a zip archive that holds the .mqo (newer versions of the
// modeller write them). The model is inflated as the reader comes to it, into
// one range of memory reserved at the size the archive gives for it, and the
// pages the reader has passed are handed back, so the inflated text never sits
// in memory whole beside the document built from it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "document/mqo_cursor.h"

struct zip;
struct zip_file;
struct zip_source;

namespace brimvale {

// Whether the bytes start as a zip archive does ("PK\3\4", or "PK\5\6" empty).
bool LooksLikeZip(std::string_view bytes);

class CMqozModel : public CMqoByteSource {
 public:
  CMqozModel() = default;
  ~CMqozModel() override;
  CMqozModel(const CMqozModel&) = delete;
  CMqozModel& operator=(const CMqozModel&) = delete;

  // Opens the model in the archive held in `archive` (which must outlive
  // this), or in the open file `fd` (duplicated, not taken over): the entry
  // named like the archive (`archiveName` without folders and extension) when
  // there is one, else the first entry ending in ".mqo". False with a reason
  // when there is none or it cannot be unpacked.
  bool Open(std::string_view archive, const std::string& archiveName, std::string& reason);
  bool Open(int fd, const std::string& archiveName, std::string& reason);

  // The bytes inflated so far, and the size the archive gives for the model.
  std::string_view Filled() const { return {m_pData, m_nFilled}; }
  size_t Size() const { return m_nSize; }
  // Set once inflating failed (a damaged archive, a model shorter or longer
  // than the archive says); what was read from the model must not be kept.
  bool Failed() const { return m_bFailed; }
  const std::string& Reason() const { return m_strReason; }

  // Told with the offset and the size whenever the reader releases pages.
  void SetProgress(std::function<void(size_t, size_t)> progress) { m_Progress = std::move(progress); }

  size_t FillTo(size_t offset) override;
  void ReleaseBefore(size_t offset) override;

 private:
  bool OpenArchive(zip_source* source, const std::string& archiveName, std::string& reason);
  void Fail(std::string reason);

  zip* m_pArchive = nullptr;
  zip_file* m_pEntry = nullptr;
  char* m_pMapping = nullptr;
  char* m_pData = nullptr;  // in the mapping, on a chunk boundary
  size_t m_nMapped = 0;
  size_t m_nSize = 0;
  size_t m_nFilled = 0;
  size_t m_nReleased = 0;
  bool m_bFailed = false;
  std::string m_strReason;
  std::function<void(size_t, size_t)> m_Progress;
};

}  // namespace brimvale
