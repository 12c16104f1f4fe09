// The Metasequoia reader's top level: the header check, then the chunks in
// file order. Unknown chunks are skipped by counting braces, so a token inside
// them is never taken for a chunk of its own.
#include "document/mqo_reader.h"

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
}

std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool ReadDocument(CQuorixDoc& doc, std::string_view bytes, CMqoByteSource* source, MqoReadStatus* status) {
  CMqoCursor cursor(bytes, source);
  std::string_view token;
  if (!cursor.NextToken(token) || token != "Metasequoia") {
    doc.UI().MessageBox(kNotMetasequoiaMessage, kReadErrorCaption);
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
  return true;
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

void SkipToChunkEnd(CMqoCursor& cursor, int64_t depth) {
  std::string_view token;
  while (depth > 0 && cursor.NextToken(token)) depth += BraceDelta(token);
}

bool ReadMqoBuffer(CQuorixDoc& doc, std::string_view bytes, MqoReadStatus* status) {
  doc.Reset();
  WaitCursor wait(doc.UI());
  if (LooksLikeZip(bytes)) {
    std::string model;
    std::string reason;
    if (!ExtractMqoFromZip(bytes, doc.m_strPathName, model, reason)) {
      doc.Reset();
      SetStatus(status, MqoReadResult::CannotOpen, reason);
      return false;
    }
    return ReadDocument(doc, model, nullptr, status);
  }
  return ReadDocument(doc, bytes, nullptr, status);
}

bool ReadMqoFile(CQuorixDoc& doc, const std::string& path, MqoReadStatus* status, const MqoReadProgress& progress) {
  doc.Reset();
  doc.m_strTitle = FileName(path);
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
    // The inflated model is handed back page by page as the reader passes
    // it, as a plain file is, so it does not stay whole beside the document.
    CMqoFileBytes model;
    model.SetProgress(progress);
    const bool inflated = InflateMqoFromZip(
        file.Bytes(), path, [&model](size_t size) { return size == 0 || model.Reserve(size); },
        [&model](const char* data, size_t size) { return model.Append(data, size); }, reason);
    if (inflated && !file.Unchanged()) reason = "the file changed while it was read";
    if (!inflated || !file.Unchanged()) {
      doc.Reset();
      SetStatus(status, MqoReadResult::CannotOpen, reason);
      return false;
    }
    return ReadDocument(doc, model.Bytes(), &model, status);
  }
  const bool read = ReadDocument(doc, file.Bytes(), &file, status);
  if (!file.Unchanged()) {
    doc.Reset();
    SetStatus(status, MqoReadResult::CannotOpen, "the file changed while it was read");
    return false;
  }
  return read;
}

}  // namespace brimvale
