#include <gtest/gtest.h>
#include <unistd.h>
#include <zip.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "document/mqo_test_support.h"

namespace brimvale {
namespace {

// A model of several inflating chunks, each kind of content running over at
// least one chunk's end: text vertices in every number form the reader knows,
// face lines, a BVertex block, and numbers and lines longer than any lookahead
// whose values hang on their last bytes.
std::string LargeModel() {
  std::string text = "Metasequoia Document\r\nFormat Text Ver 1.1\r\n";
  const int side = 250;
  text += "Object \"text\" {\r\n\tvertex " + std::to_string(side * side) + " {\r\n";
  const char* forms[] = {"", ".", "e-", ".0001234"};
  for (int i = 0; i < side * side; ++i) {
    text += "\t\t";
    for (int axis = 0; axis < 3; ++axis) {
      const int form = (i + axis) % 4;
      if (form == 1) text += '-';
      text += std::to_string(i % 977);
      text += forms[form];
      text += std::to_string((i * 7 + axis) % 29);
      text += axis < 2 ? " " : "\r\n";
    }
  }
  text += "\t}\r\n\tface " + std::to_string((side - 1) * (side - 1)) + " {\r\n";
  for (int y = 0; y + 1 < side; ++y) {
    for (int x = 0; x + 1 < side; ++x) {
      const int v = y * side + x;
      text += "\t\t4 V(" + std::to_string(v) + " " + std::to_string(v + 1) + " " +
              std::to_string(v + side + 1) + " " + std::to_string(v + side) +
              ") M(0) UV(0.25 0.5 0.75 1 0 0.125 1 0)\r\n";
    }
  }
  const int binary = 200000;
  text += "\t}\r\n}\r\nObject \"binary\" {\r\n\tBVertex 1 {\r\n\t\tVector " + std::to_string(binary) + " [" +
          std::to_string(binary * 12) + "]\r\n";
  for (int i = 0; i < binary * 3; ++i) {
    const float value = static_cast<float>(i) * 0.37f - 5000.0f;
    text.append(reinterpret_cast<const char*>(&value), sizeof value);
  }
  text += "\r\n\t}\r\n\tface 1 {\r\n\t\t4 V(0 1 2 199999)\r\n\t}\r\n}\r\n";
  text += "Object \"long\" {\r\n\tvertex 70 {\r\n";
  for (int i = 0; i < 70 * 3; ++i) {
    const std::string digits = std::to_string(i + 1);
    text += "0." + std::string(12000, '0') + digits + "e" + std::to_string(12000 + digits.size()) + " ";
  }
  text += "\r\n\t}\r\n\tface 160 {\r\n";
  for (int i = 0; i < 160; ++i) {
    text += "\t\t4 V(0 1 2 " + std::to_string(3 + i % 60) + ") COL(" + std::string(15000, '7') + ") UV(0 " +
            std::to_string(i) + " 0 0 1 1 0 1)\r\n";
  }
  text += "\t}\r\n}\r\nEof\r\n";
  return text;
}

// The model zipped as `name`, written to `path`; the archive's bytes.
std::string Zip(const std::string& model, const std::string& path, const char* name,
                int32_t method = ZIP_CM_DEFAULT) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  EXPECT_NE(archive, nullptr);
  if (!archive) return {};
  zip_source_t* source = zip_source_buffer(archive, model.data(), model.size(), 0);
  const zip_int64_t index = zip_file_add(archive, name, source, 0);
  EXPECT_GE(index, 0);
  EXPECT_EQ(zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), method, 0), 0);
  EXPECT_EQ(zip_close(archive), 0);
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ExpectSameDocument(const CQuorixDoc& read, const CQuorixDoc& plain) {
  ASSERT_EQ(read.ObjectCount(), plain.ObjectCount());
  for (int i = 0; i < plain.ObjectCount(); ++i) {
    const CMeshObject& a = *read.Object(i);
    const CMeshObject& b = *plain.Object(i);
    EXPECT_EQ(a.m_strName, b.m_strName);
    const auto& pa = a.m_Vertices.Positions();
    const auto& pb = b.m_Vertices.Positions();
    ASSERT_EQ(pa.size(), pb.size());
    EXPECT_EQ(std::memcmp(pa.data(), pb.data(), pa.size() * sizeof pa[0]), 0) << a.m_strName;  // bit for bit
    ASSERT_EQ(a.m_Faces.Quads().size(), b.m_Faces.Quads().size());
    ASSERT_EQ(a.m_Faces.Triangles().size(), b.m_Faces.Triangles().size());
    const auto& pu = a.m_Faces.UVs(FaceList::Quads);
    const auto& qu = b.m_Faces.UVs(FaceList::Quads);
    ASSERT_EQ(pu.size(), qu.size());
    for (size_t f = 0; f < b.m_Faces.Quads().size(); ++f) {
      const CMeshFace& p = a.m_Faces.Quads()[f];
      const CMeshFace& q = b.m_Faces.Quads()[f];
      ASSERT_EQ(std::memcmp(p.m_Index, q.m_Index, sizeof p.m_Index), 0) << f;
      if (f < pu.size()) {
        ASSERT_EQ(std::memcmp(pu[f].m_UV, qu[f].m_UV, sizeof pu[f].m_UV), 0) << f;
      }
    }
  }
}

// Sets the model's size as the archive's directory gives it.
void SetDeclaredSize(std::string& archive, uint32_t size) {
  const size_t entry = archive.find(std::string("PK\x01\x02", 4));
  ASSERT_NE(entry, std::string::npos);
  std::memcpy(&archive[entry + 24], &size, sizeof size);
}

TEST(MqozStream, ALargeModelReadsAsThePlainOneAndADamagedOneLeavesNothing) {
  const std::string model = LargeModel();
  ASSERT_GT(model.size(), size_t{12} << 20);
  test::ReadDoc plain(model);
  ASSERT_TRUE(plain.ok);
  ASSERT_EQ(plain.doc.ObjectCount(), 3);
  ASSERT_EQ(plain.Object(1).VertexCount(), 200000);
  EXPECT_EQ(plain.Object(2).m_Vertices.Position(69), CVector3(208, 209, -210));
  ASSERT_EQ(plain.Object(2).QuadCount(), 160);
  ASSERT_NE(plain.Object(2).m_Faces.FaceUVs(FaceList::Quads, 159), nullptr);
  EXPECT_EQ(plain.Object(2).m_Faces.FaceUVs(FaceList::Quads, 159)->m_UV[0].v, 159.0f);

  const std::string path =
      (std::filesystem::temp_directory_path() / ("brimvale_stream_" + std::to_string(getpid()) + ".mqoz"))
          .string();
  std::string archive = Zip(model, path, "model/brimvale_stream.mqo");
  CQuorixDoc fromFile;
  MqoReadStatus status;
  EXPECT_TRUE(ReadMqoFile(fromFile, path, &status)) << status.reason;
  std::filesystem::remove(path);
  ExpectSameDocument(fromFile, plain.doc);
  test::ReadDoc fromMemory(archive);
  ASSERT_TRUE(fromMemory.ok) << fromMemory.status.reason;
  ExpectSameDocument(fromMemory.doc, plain.doc);

  // A flipped byte late in the data, and a model shorter or longer than the
  // archive says: found only after objects were read, which are dropped.
  const auto size = static_cast<uint32_t>(model.size());
  std::string damaged = archive;
  damaged[damaged.size() * 4 / 5] ^= 0x55;
  for (const uint32_t declared : {size, size - 10, size + 10}) {
    std::string bad = declared == size ? damaged : archive;
    SetDeclaredSize(bad, declared);
    test::ReadDoc r(bad);
    EXPECT_FALSE(r.ok) << declared;
    EXPECT_EQ(r.status.result, MqoReadResult::CannotOpen);
    EXPECT_NE(r.status.reason.find("cannot unpack the model"), std::string::npos) << r.status.reason;
    EXPECT_EQ(r.doc.ObjectCount(), 0);
    EXPECT_TRUE(r.ui.messages.empty());
  }
  // A size the compressed data cannot hold is not believed; a method with no
  // such bound is unpacked whole before its size is.
  std::string bomb = Zip(test::Mqo("Eof\n"), path, "small.mqo");
  SetDeclaredSize(bomb, uint32_t{1} << 30);
  test::ReadDoc r(bomb);
  EXPECT_EQ(r.status.result, MqoReadResult::CannotOpen);
  EXPECT_EQ(r.status.reason, "cannot unpack the model: the archive gives a size its data cannot hold");
  if (zip_compression_method_supported(ZIP_CM_BZIP2, 1)) {
    std::string bzip2 = Zip(test::Mqo("Object \"b\" {\n}\nEof\n"), path, "small.mqo", ZIP_CM_BZIP2);
    EXPECT_EQ(test::ReadDoc(bzip2).doc.ObjectCount(), 1);
    SetDeclaredSize(bzip2, uint32_t{1} << 30);
    test::ReadDoc lying(bzip2);
    EXPECT_EQ(lying.status.result, MqoReadResult::CannotOpen);
    EXPECT_EQ(lying.doc.ObjectCount(), 0);
  }
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace brimvale
