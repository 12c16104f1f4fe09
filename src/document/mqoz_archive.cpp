#include "document/mqoz_archive.h"

#include <sys/mman.h>
#include <unistd.h>
#include <zip.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "foundation/text_utils.h"

namespace brimvale {

namespace {

// The model may not unpack to more than this (a zip bomb stops here).
constexpr zip_uint64_t kMaxModelBytes = zip_uint64_t{1} << 31;
// Inflated this much at a time, ahead of the reader, into memory that is given
// and handed back in huge pages of this size where the system has them (a
// fresh 4 KiB page costs about as much to fault in as inflating it).
constexpr size_t kChunk = size_t{2} << 20;
// Deflate cannot make more than about 1032 bytes of one (a stored entry, no
// more than one); an archive that claims more is damaged, and its claim must
// not size what the reader reserves.
constexpr zip_uint64_t kMaxDeflateRatio = 1040;
constexpr zip_uint64_t kRatioSlack = zip_uint64_t{1} << 16;
constexpr const char* kTooLarge = "the model in the archive is too large";

bool EndsWithMqo(const std::string& lowerName) {
  return lowerName.size() >= 4 && lowerName.compare(lowerName.size() - 4, 4, ".mqo") == 0;
}

size_t PageSize() {
  static const size_t size = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  return size;
}

// The most bytes one compressed byte can unpack to; 0 where not known.
zip_uint64_t MostBytesPerByte(const zip_stat_t& stat) {
  if (!(stat.valid & ZIP_STAT_COMP_METHOD) || !(stat.valid & ZIP_STAT_COMP_SIZE)) return 0;
  if (stat.comp_method == ZIP_CM_STORE) return 1;
  return stat.comp_method == ZIP_CM_DEFLATE ? kMaxDeflateRatio : 0;
}

// The entry that holds the model; -1 when there is none.
zip_int64_t ChooseModel(zip_t* archive, const std::string& archiveName) {
  const std::string wanted = AsciiLower(std::filesystem::path(archiveName).stem().string()) + ".mqo";
  zip_int64_t chosen = -1;
  const zip_int64_t entries = zip_get_num_entries(archive, 0);
  for (zip_int64_t i = 0; i < entries; ++i) {
    const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
    if (!name) continue;
    std::string lower = AsciiLower(name);
    const size_t slash = lower.find_last_of('/');
    if (slash != std::string::npos) lower.erase(0, slash + 1);
    if (!EndsWithMqo(lower)) continue;
    if (lower == wanted) return i;
    if (chosen < 0) chosen = i;
  }
  return chosen;
}

}  // namespace

bool LooksLikeZip(std::string_view bytes) {
  return bytes.size() >= 4 && bytes[0] == 'P' && bytes[1] == 'K' &&
         ((bytes[2] == 3 && bytes[3] == 4) || (bytes[2] == 5 && bytes[3] == 6));
}

CMqozModel::~CMqozModel() {
  if (m_pEntry) zip_fclose(m_pEntry);
  if (m_pArchive) zip_discard(m_pArchive);
  if (m_pMapping) munmap(m_pMapping, m_nMapped);
}

bool CMqozModel::Open(std::string_view archive, const std::string& archiveName, std::string& reason) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(archive.data(), archive.size(), 0, &error);
  if (!source) {
    reason = zip_error_strerror(&error);
    zip_error_fini(&error);
    return false;
  }
  zip_error_fini(&error);
  return OpenArchive(source, archiveName, reason);
}

bool CMqozModel::Open(int fd, const std::string& archiveName, std::string& reason) {
  // Read through a stream rather than the file's mapping: pages read that way
  // are not counted as the process's own memory.
  const int copy = dup(fd);
  FILE* file = copy < 0 ? nullptr : fdopen(copy, "rb");
  if (!file) {
    if (copy >= 0) close(copy);
    reason = "cannot unpack the model: the archive cannot be read again";
    return false;
  }
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_filep_create(file, 0, -1, &error);
  if (!source) {
    fclose(file);
    reason = zip_error_strerror(&error);
    zip_error_fini(&error);
    return false;
  }
  zip_error_fini(&error);
  return OpenArchive(source, archiveName, reason);
}

bool CMqozModel::OpenArchive(zip_source_t* source, const std::string& archiveName, std::string& reason) {
  zip_error_t error;
  zip_error_init(&error);
  m_pArchive = zip_open_from_source(source, ZIP_RDONLY, &error);
  if (!m_pArchive) {
    reason = std::string("not a readable zip archive: ") + zip_error_strerror(&error);
    zip_source_free(source);
    zip_error_fini(&error);
    return false;
  }
  zip_error_fini(&error);

  const zip_int64_t chosen = ChooseModel(m_pArchive, archiveName);
  if (chosen < 0) {
    reason = "the archive holds no .mqo file";
    return false;
  }
  const auto index = static_cast<zip_uint64_t>(chosen);
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(m_pArchive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) {
    reason = std::string("cannot unpack the model: ") + zip_strerror(m_pArchive);
    return false;
  }
  if (stat.size > kMaxModelBytes) {
    reason = kTooLarge;
    return false;
  }
  const zip_uint64_t ratio = MostBytesPerByte(stat);
  if (ratio > 0 && stat.comp_size < kMaxModelBytes && stat.size > stat.comp_size * ratio + kRatioSlack) {
    reason = "cannot unpack the model: the archive gives a size its data cannot hold";
    return false;
  }
  m_pEntry = zip_fopen_index(m_pArchive, index, 0);
  if (!m_pEntry) {
    reason = std::string("cannot unpack the model: ") + zip_strerror(m_pArchive);
    return false;
  }
  // Reserved, not taken: a page costs memory only once it is filled. The
  // range starts on a chunk boundary, so that chunks can be huge pages.
  m_nSize = static_cast<size_t>(stat.size);
  const size_t mapped = (m_nSize / PageSize() + 1) * PageSize() + kChunk;
  void* data =
      mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (data == MAP_FAILED) {
    m_nSize = 0;
    reason = kTooLarge;
    return false;
  }
  m_pMapping = static_cast<char*>(data);
  m_nMapped = mapped;
  const auto address = reinterpret_cast<uintptr_t>(data);
  m_pData = m_pMapping + ((kChunk - address % kChunk) % kChunk);
  madvise(m_pData, mapped - static_cast<size_t>(m_pData - m_pMapping), MADV_HUGEPAGE);
  // A method that can unpack any amount from little is inflated whole here,
  // so that a false size shows before the reader reserves anything from it.
  FillTo(ratio > 0 ? 1 : m_nSize);
  if (m_bFailed) {
    reason = m_strReason;
    return false;
  }
  return true;
}

void CMqozModel::Fail(std::string reason) {
  m_bFailed = true;
  m_strReason = std::move(reason);
}

size_t CMqozModel::FillTo(size_t offset) {
  if (m_bFailed || !m_pEntry || m_nFilled >= m_nSize || offset <= m_nFilled) return m_nFilled;
  size_t target = (offset + kChunk - 1) / kChunk * kChunk;
  if (target > m_nSize) target = m_nSize;
  while (m_nFilled < target) {
    const zip_int64_t got = zip_fread(m_pEntry, m_pData + m_nFilled, target - m_nFilled);
    if (got < 0) {
      Fail(std::string("cannot unpack the model: ") + zip_file_strerror(m_pEntry));
      return m_nFilled;
    }
    if (got == 0) {
      Fail("cannot unpack the model: it ends before the size the archive gives");
      return m_nFilled;
    }
    m_nFilled += static_cast<size_t>(got);
  }
  if (m_nFilled == m_nSize) {
    // The end of the entry: where the checksum is checked, and where nothing
    // more may follow.
    char extra = 0;
    const zip_int64_t got = zip_fread(m_pEntry, &extra, 1);
    if (got < 0) Fail(std::string("cannot unpack the model: ") + zip_file_strerror(m_pEntry));
    if (got > 0) Fail("cannot unpack the model: it runs past the size the archive gives");
  }
  return m_nFilled;
}

void CMqozModel::ReleaseBefore(size_t offset) {
  if (!m_pData) return;
  if (m_Progress) m_Progress(offset, m_nSize);
  // Whole chunks only, so a huge page is never split; and never the page the
  // reader is in or the one before: it may still step back within its line.
  const size_t keep = 2 * PageSize();
  if (offset < keep) return;
  const size_t upTo = (offset - keep) / kChunk * kChunk;
  if (upTo <= m_nReleased) return;
  madvise(m_pData + m_nReleased, upTo - m_nReleased, MADV_DONTNEED);
  m_nReleased = upTo;
}

}  // namespace brimvale
