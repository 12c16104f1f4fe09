#include "document/mqoz_archive.h"

#include <zip.h>

#include <memory>

#include "foundation/text_utils.h"

namespace brimvale {

namespace {

// The model may not unpack to more than this (a zip bomb stops here).
constexpr zip_uint64_t kMaxModelBytes = zip_uint64_t{1} << 31;

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
  void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};

std::string Stem(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.resize(dot);
  return AsciiLower(name);
}

bool EndsWithMqo(const std::string& lowerName) {
  return lowerName.size() >= 4 && lowerName.compare(lowerName.size() - 4, 4, ".mqo") == 0;
}

}  // namespace

bool LooksLikeZip(std::string_view bytes) {
  return bytes.size() >= 4 && bytes[0] == 'P' && bytes[1] == 'K' &&
         ((bytes[2] == 3 && bytes[3] == 4) || (bytes[2] == 5 && bytes[3] == 6));
}

bool ExtractMqoFromZip(std::string_view archive, const std::string& archiveName, std::string& model,
                       std::string& reason) {
  model.clear();
  return InflateMqoFromZip(
      archive, archiveName,
      [&model](size_t size) {
        model.reserve(size);
        return true;
      },
      [&model](const char* data, size_t size) {
        model.append(data, size);
        return true;
      },
      reason);
}

bool InflateMqoFromZip(std::string_view archive, const std::string& archiveName,
                       const std::function<bool(size_t)>& expect,
                       const std::function<bool(const char*, size_t)>& append, std::string& reason) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(archive.data(), archive.size(), 0, &error);
  if (!source) {
    reason = zip_error_strerror(&error);
    zip_error_fini(&error);
    return false;
  }
  std::unique_ptr<zip_t, ArchiveCloser> zip(zip_open_from_source(source, ZIP_RDONLY, &error));
  if (!zip) {
    reason = std::string("not a readable zip archive: ") + zip_error_strerror(&error);
    zip_source_free(source);
    zip_error_fini(&error);
    return false;
  }
  zip_error_fini(&error);

  const std::string wanted = Stem(archiveName) + ".mqo";
  zip_int64_t chosen = -1;
  const zip_int64_t entries = zip_get_num_entries(zip.get(), 0);
  for (zip_int64_t i = 0; i < entries; ++i) {
    const char* name = zip_get_name(zip.get(), static_cast<zip_uint64_t>(i), 0);
    if (!name) continue;
    std::string lower = AsciiLower(name);
    const size_t slash = lower.find_last_of('/');
    if (slash != std::string::npos) lower.erase(0, slash + 1);
    if (!EndsWithMqo(lower)) continue;
    if (lower == wanted) {
      chosen = i;
      break;
    }
    if (chosen < 0) chosen = i;
  }
  if (chosen < 0) {
    reason = "the archive holds no .mqo file";
    return false;
  }

  std::unique_ptr<zip_file_t, EntryCloser> entry(
      zip_fopen_index(zip.get(), static_cast<zip_uint64_t>(chosen), 0));
  if (!entry) {
    reason = std::string("cannot unpack the model: ") + zip_strerror(zip.get());
    return false;
  }
  zip_stat_t stat;
  zip_stat_init(&stat);
  const bool declared = zip_stat_index(zip.get(), static_cast<zip_uint64_t>(chosen), 0, &stat) == 0 &&
                        (stat.valid & ZIP_STAT_SIZE) && stat.size <= kMaxModelBytes;
  if (!expect(declared ? static_cast<size_t>(stat.size) : 0)) {
    reason = "the model in the archive is too large";
    return false;
  }
  size_t total = 0;
  char buffer[1 << 16];
  for (;;) {
    const zip_int64_t got = zip_fread(entry.get(), buffer, sizeof buffer);
    if (got < 0) {
      reason = std::string("cannot unpack the model: ") + zip_file_strerror(entry.get());
      return false;
    }
    if (got == 0) break;
    total += static_cast<size_t>(got);
    if (total > kMaxModelBytes || !append(buffer, static_cast<size_t>(got))) {
      reason = "the model in the archive is too large";
      return false;
    }
  }
  return true;
}

}  // namespace brimvale
