// The Metasequoia reader's top level: the header check, then the chunks in
// file order. Unknown chunks are skipped by counting braces, so a token inside
// them is never taken for a chunk of its own.
#include "document/mqo_reader.h"

#include <filesystem>

#include "document/mqo_file_bytes.h"
#include "document/mqo_reader_internal.h"
#include "document/mqoz_archive.h"
#include "document/quorix_doc.h"
#include "foundation/text_utils.h"

namespace brimvale {

namespace {

class WaitCursor {
 public:
  explicit WaitCursor(CUserInterface& ui) : m_UI(ui) { m_UI.BeginWaitCursor(); }
  ~WaitCursor() { m_UI.EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  CUserInterface& m_UI;
};

void SetStatus(MqoReadStatus* status, MqoReadResult result, std::string reason = std::string()) {
  if (!status) return;
  status->result = result;
  status->reason = std::move(reason);
  status->endsEarly = false;
}

bool ReadDocument(CQuorixDoc& doc, CMqoCursor& cursor, MqoReadStatus* status) {
  std::string_view token;
  if (!cursor.NextToken(token) || token != "Metasequoia") {
    doc.Reset();
    SetStatus(status, MqoReadResult::NotMetasequoia);
    return false;
  }
  SetStatus(status, MqoReadResult::Ok);
  CMqoReadContext context{doc, cursor};
  int64_t depth = 0;  // a file of 4 GB of braces must not overflow it
  while (cursor.NextToken(token)) {
    if (token == "Eof") break;
    if (depth == 0) {
      if (token == "Scene") {
        ReadSceneChunk(cursor, doc.m_Scene);
        continue;
      }
      if (token == "Material") {
        ReadMaterialChunk(context);
        continue;
      }
      if (token == "Object") {
        ReadObjectChunk(context);
        continue;
      }
      if (token == "CodePage") {
        std::string_view page;
        if (cursor.NextToken(page)) doc.m_bUtf8 = AsciiLower(page) == "utf8";
        continue;
      }
    }
    depth += BraceDelta(token);
    if (depth < 0) depth = 0;
  }
  // A chunk the bytes end inside (a file cut short); a whole file merely
  // lacking its Eof line is not one.
  if (status) status->endsEarly = context.endsEarly || depth > 0;
  return true;
}

// The model in an archive, inflated as it is read. A model that cannot be
// inflated whole leaves nothing half read behind.
bool ReadArchivedDocument(CQuorixDoc& doc, CMqozModel& model, MqoReadStatus* status) {
  CMqoCursor cursor(model.Filled(), model.Size(), &model);
  const bool read = ReadDocument(doc, cursor, status);
  if (!model.Failed()) return read;
  doc.Reset();
  SetStatus(status, MqoReadResult::CannotOpen, model.Reason());
  return false;
}

}  // namespace

std::string NameFromToken(std::string_view token) {
  if (token.size() < 2) return std::string();
  return std::string(token.substr(1, token.size() - 2));
}

int BraceDelta(std::string_view token) {
  if (token.empty() || token[0] == '"') return 0;
  int delta = 0;
  bool quoted = false;
  for (const char c : token) {
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted) {
      if (c == '{') ++delta;
      if (c == '}') --delta;
    }
  }
  return delta;
}

bool SkipToChunkEnd(CMqoCursor& cursor, int64_t depth) {
  std::string_view token;
  while (depth > 0 && cursor.NextToken(token)) depth += BraceDelta(token);
  return depth <= 0;
}

bool ReadMqoBuffer(CQuorixDoc& doc, std::string_view bytes, MqoReadStatus* status) {
  doc.Reset();
  WaitCursor wait(doc.UI());
  if (LooksLikeZip(bytes)) {
    CMqozModel model;
    std::string reason;
    if (!model.Open(bytes, doc.m_strPathName, reason)) {
      doc.Reset();
      SetStatus(status, MqoReadResult::CannotOpen, reason);
      return false;
    }
    return ReadArchivedDocument(doc, model, status);
  }
  CMqoCursor cursor(bytes);
  return ReadDocument(doc, cursor, status);
}

bool ReadMqoFile(CQuorixDoc& doc, const std::string& path, MqoReadStatus* status, const MqoReadProgress& progress) {
  doc.Reset();
  doc.m_strTitle = std::filesystem::path(path).filename().string();
  doc.m_strPathName = path;
  WaitCursor wait(doc.UI());
  CMqoFileBytes file;
  file.SetProgress(progress);
  std::string reason;
  if (!file.Load(path, reason)) {
    doc.Reset();
    SetStatus(status, MqoReadResult::CannotOpen, reason);
    return false;
  }
  if (LooksLikeZip(file.Bytes())) {
    // Inflated as the reader comes to it and handed back behind it, as a
    // plain file's pages are, so it never stays whole beside the document.
    CMqozModel model;
    model.SetProgress(progress);
    const bool opened = file.Descriptor() >= 0 ? model.Open(file.Descriptor(), path, reason)
                                               : model.Open(file.Bytes(), path, reason);
    if (!opened) {
      doc.Reset();
      SetStatus(status, MqoReadResult::CannotOpen, reason);
      return false;
    }
    const bool read = ReadArchivedDocument(doc, model, status);
    if (model.Failed() || file.Unchanged()) return read;
    doc.Reset();
    SetStatus(status, MqoReadResult::CannotOpen, "the file changed while it was read");
    return false;
  }
  CMqoCursor cursor(file.Bytes(), &file);
  const bool read = ReadDocument(doc, cursor, status);
  if (!file.Unchanged()) {
    doc.Reset();
    SetStatus(status, MqoReadResult::CannotOpen, "the file changed while it was read");
    return false;
  }
  return read;
}

}  // namespace brimvale
