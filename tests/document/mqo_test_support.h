// Helpers for the reader tests: read text from memory into a document whose
// message boxes are recorded, and check what the rest of the program relies on.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "document/mqo_reader.h"
#include "document/quorix_doc.h"

namespace brimvale::test {

class RecordingUserInterface : public CUserInterface {
 public:
  void MessageBox(const std::string& text, const std::string& caption) override {
    messages.push_back(text);
    captions.push_back(caption);
  }
  std::vector<std::string> messages;
  std::vector<std::string> captions;
};

struct ReadDoc {
  RecordingUserInterface ui;
  CQuorixDoc doc;
  MqoReadStatus status;
  bool ok = false;
  ReadDoc() { doc.SetUserInterface(&ui); }
  explicit ReadDoc(std::string_view bytes) : ReadDoc() { ok = ReadMqoBuffer(doc, bytes, &status); }
  CMeshObject& Object(int i) { return *doc.Object(i); }
  CMaterial& Material(int i) { return *doc.Material(i); }
};

// "Metasequoia Document" header, CRLF line ends as the modeller writes them.
inline std::string Mqo(std::string_view body) {
  std::string text = "Metasequoia Document\nFormat Text Ver 1.0\n\n";
  text += body;
  std::string crlf;
  for (char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return crlf;
}

// Faces name existing vertices, edges join existing vertices, nothing is
// left in the incoming list.
inline void ExpectConsistent(const CQuorixDoc& doc) {
  for (const auto& object : doc.m_Objects) {
    const int vertices = object->VertexCount();
    EXPECT_TRUE(object->m_Faces.Incoming().empty());
    EXPECT_EQ(object->m_bEdgesBuilt, 1);
    for (const auto* list :
         {&object->m_Faces.Lines(), &object->m_Faces.Triangles(), &object->m_Faces.Quads()}) {
      for (const CMeshFace& face : *list) {
        for (int c = 0; c < face.m_nCorners; ++c) {
          ASSERT_GE(face.m_Index[c], 0);
          ASSERT_LT(face.m_Index[c], vertices);
        }
      }
    }
    for (const CMeshEdge& edge : object->m_Edges) {
      ASSERT_LT(edge.m_v0, vertices);
      ASSERT_LT(edge.m_v1, vertices);
    }
  }
}

}  // namespace brimvale::test
