// libFuzzer target: the Metasequoia reader on bytes from memory (.mqo text,
// BVertex blocks, and .mqoz archives when the bytes start as a zip).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document/mesh_object.h"
#include "document/mqo_reader.h"
#include "document/quorix_doc.h"

namespace {

class SilentUserInterface : public brimvale::CUserInterface {
 public:
  void MessageBox(const std::string&, const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SilentUserInterface ui;
  brimvale::CQuorixDoc doc;
  doc.SetUserInterface(&ui);
  brimvale::ReadMqoBuffer(doc, std::string_view(reinterpret_cast<const char*>(data), size));
  // What the rest of the program relies on: every face names an existing vertex.
  for (const auto& object : doc.m_Objects) {
    const int vertices = object->VertexCount();
    for (const auto* list :
         {&object->m_Faces.Lines(), &object->m_Faces.Triangles(), &object->m_Faces.Quads()}) {
      for (const auto& face : *list) {
        for (int c = 0; c < face.m_nCorners; ++c) {
          if (face.m_Index[c] < 0 || face.m_Index[c] >= vertices) __builtin_trap();
        }
      }
    }
    for (const auto& edge : object->m_Edges) {
      if (edge.m_v0 < 0 || edge.m_v0 >= vertices || edge.m_v1 < 0 || edge.m_v1 >= vertices) __builtin_trap();
    }
    if (!object->m_Faces.Incoming().empty()) __builtin_trap();
  }
  return 0;
}
