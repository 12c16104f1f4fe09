// Reading a Metasequoia document (.mqo, or the zipped .mqoz) into the document:
// scene camera, materials (with their textures) and objects (with their edges
// and vertex links). The document is reset first, so a read never merges.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace brimvale {

class CQuorixDoc;

enum class MqoReadResult {
  Ok,              // read (a file cut short keeps what was read before its end)
  NotMetasequoia,  // the first token is not "Metasequoia"; the front end tells the user
  CannotOpen,      // the file (or the model inside a .mqoz) could not be read
};

struct MqoReadStatus {
  MqoReadResult result = MqoReadResult::Ok;
  std::string reason;  // for CannotOpen: why, in words a command line can print
  // Ok, but the file ended inside a chunk (an object, its vertex or face list):
  // what came before the cut was kept. A whole file merely lacking Eof is not cut.
  bool endsEarly = false;
};

// Told now and then how many bytes of the file the reader has passed.
using MqoReadProgress = std::function<void(size_t done, size_t total)>;

// Reads `path` read-only. Sets the document's title to the file name and its
// path to `path` (also when the file is rejected). Returns true on Ok.
bool ReadMqoFile(CQuorixDoc& doc, const std::string& path, MqoReadStatus* status = nullptr,
                 const MqoReadProgress& progress = nullptr);

// Reads a document held in memory (a .mqo, or a .mqoz archive when the bytes
// start as a zip does). The document path is left as the caller set it, so
// textures are looked up beside doc.m_strPathName; the title is "Untitled".
bool ReadMqoBuffer(CQuorixDoc& doc, std::string_view bytes, MqoReadStatus* status = nullptr);

}  // namespace brimvale
