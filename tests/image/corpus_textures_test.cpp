// Every texture and alpha map a corpus model names, and that lies beside the
// model (found here independently of the lookup: separators turned, letter
// case ignored), is resolved to that file and loaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "document/mqo_reader.h"
#include "document/quorix_doc.h"
#include "foundation/text_decoding.h"
#include "foundation/text_utils.h"
#include "corpus_models.h"
#include "image/texture_lookup.h"
#include "image_test_util.h"

namespace brimvale {
namespace {

namespace fs = std::filesystem;

// The file a name means relative to folder, matching each part without regard
// to ASCII case; empty when there is none.
fs::path ExpectedFile(const fs::path& folder, const std::string& name, bool utf8) {
  std::string local = DecodeName(name, utf8);
  for (char& c : local) {
    if (c == '\\') c = '/';
  }
  if (local.size() > 1 && local[1] == ':') return fs::path();  // another machine's drive
  fs::path at = folder;
  for (const fs::path& part : fs::path(local)) {
    if (fs::exists(at / part)) {
      at /= part;
      continue;
    }
    fs::path match;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(at, error)) {
      if (AsciiLower(entry.path().filename().string()) == AsciiLower(part.string())) match = entry.path();
    }
    if (match.empty()) return fs::path();
    at = match;
  }
  return fs::is_regular_file(at) ? at : fs::path();
}

TEST(CorpusTextures, NamedTexturesBesideModelsAreLoaded) {
  const test::CorpusListing corpus = test::ListCorpus();
  if (!corpus.present) GTEST_SKIP() << "no corpus at " << corpus.root;
  ASSERT_EQ(corpus.error, "");
  int checked = 0;
  for (const fs::path& model : corpus.models) {
    if (AsciiLower(model.extension().string()) != ".mqo") continue;
    const fs::directory_entry entry(model);
    CQuorixDoc doc;
    if (!ReadMqoFile(doc, entry.path().string())) continue;
    for (const auto& material : doc.m_Materials) {
      const fs::path texture = ExpectedFile(entry.path().parent_path(), material->m_strTexture, doc.m_bUtf8);
      if (!material->m_strTexture.empty() && !texture.empty() &&
          ImageTypeFromExtension(texture.string()) != kImageUnknown) {
        ++checked;
        EXPECT_TRUE(fs::equivalent(material->m_strTexturePath, texture)) << entry.path() << ": " << texture;
        EXPECT_TRUE(material->HasColourTexture()) << entry.path() << ": " << texture;
        EXPECT_TRUE(material->IsTextured());
      }
      const fs::path alpha = ExpectedFile(entry.path().parent_path(), material->m_strAlphaMap, doc.m_bUtf8);
      if (!material->m_strAlphaMap.empty() && !alpha.empty()) {
        ++checked;
        EXPECT_TRUE(material->m_bAlphaMapLoaded) << entry.path() << ": " << alpha;
        EXPECT_TRUE(material->HasAlpha());
      }
    }
  }
  EXPECT_GT(checked, 20);
}

}  // namespace
}  // namespace brimvale
