#include <gtest/gtest.h>

#include <cstring>

#include "document/material.h"
#include "document/material_textures.h"
#include "document/quorix_doc.h"
#include "image/codec_bridge.h"
#include "image/texture_loader.h"
#include "image_test_util.h"

namespace brimvale {
namespace {

// A 2 x 2 colour picture: red, green / blue, white (rows from the top).
std::string QuadPpm() {
  return std::string("P6\n2 2\n255\n") + std::string("\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF\xFF\xFF\xFF", 12);
}

std::vector<int> Texel(const CTextureBuffer& buffer, int i, int j) {
  const uint8_t* t = buffer.Texel(i, j);
  return {t[0], t[1], t[2], t[3]};
}

TEST(TextureLoader, ColourTextureIsTransferredTransposed) {
  testing::CScratchFolder folder;
  CTextureBuffer buffer;
  bool translucent = true;
  ASSERT_TRUE(LoadColourTexture(folder.WriteText("quad.ppm", QuadPpm()), buffer, translucent));
  EXPECT_FALSE(translucent);
  ASSERT_TRUE(buffer.IsAllocated());
  // Texel (row i, column j) holds picture column i, row j.
  EXPECT_EQ(Texel(buffer, 0, 0), (std::vector<int>{255, 0, 0, 255}));
  EXPECT_EQ(Texel(buffer, 255, 0), (std::vector<int>{0, 255, 0, 255}));
  EXPECT_EQ(Texel(buffer, 0, 255), (std::vector<int>{0, 0, 255, 255}));
  EXPECT_EQ(Texel(buffer, 255, 255), (std::vector<int>{255, 255, 255, 255}));
}

TEST(TextureLoader, EveryDepthBecomesATexture) {
  testing::CScratchFolder folder;
  // Grey PGM, an 8-bit BMP with a two-entry table, a 16-bit TGA.
  const std::string pgm = folder.WriteText("g.pgm", std::string("P5\n1 1\n255\n\x50", 12));
  testing::Bytes bmp = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 8, 0};
  bmp.resize(54, 0);
  bmp[46] = 2;  // biClrUsed
  testing::Append(bmp, {1, 2, 3, 0, 10, 20, 30, 0, 1, 0, 0, 0});
  const std::string bmpPath = folder.Write("p.bmp", bmp);
  testing::Bytes tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 16, 0, 0x1F, 0x7C};  // 5-5-5: x=1 r=31 b=31
  const std::string tgaPath = folder.Write("w.tga", tga);

  CTextureBuffer buffer;
  bool translucent = false;
  ASSERT_TRUE(LoadColourTexture(pgm, buffer, translucent));
  EXPECT_EQ(Texel(buffer, 9, 9), (std::vector<int>{0x50, 0x50, 0x50, 255}));
  ASSERT_TRUE(LoadColourTexture(bmpPath, buffer, translucent));
  EXPECT_EQ(Texel(buffer, 200, 3), (std::vector<int>{30, 20, 10, 255}));
  ASSERT_TRUE(LoadColourTexture(tgaPath, buffer, translucent));
  EXPECT_EQ(Texel(buffer, 1, 1), (std::vector<int>{255, 0, 255, 255}));
}

TEST(TextureLoader, OpacityOfA32BitTextureIsKept) {
  testing::CScratchFolder folder;
  CPixelImage image;
  ASSERT_TRUE(image.Create(2, 1, 32));
  const uint8_t pixels[8] = {1, 2, 3, 255, 4, 5, 6, 10};
  std::memcpy(image.Bits(), pixels, 8);
  ASSERT_TRUE(SavePng(folder.File("a.png"), image, nullptr, 0));
  std::memset(image.Bits() + 3, 255, 1);
  image.Bits()[7] = 255;
  ASSERT_TRUE(SavePng(folder.File("opaque.png"), image, nullptr, 0));

  CTextureBuffer buffer;
  TextureFlags flags = LoadTextures(folder.File("a.png"), "", PackColor(1, 1, 1), buffer);
  EXPECT_TRUE(flags.textured && flags.hasColourTexture && flags.hasAlpha);
  EXPECT_FALSE(flags.alphaMapLoaded);
  EXPECT_EQ(Texel(buffer, 0, 0), (std::vector<int>{3, 2, 1, 255}));
  EXPECT_EQ(Texel(buffer, 255, 0), (std::vector<int>{6, 5, 4, 10}));
  flags = LoadTextures(folder.File("opaque.png"), "", 0, buffer);
  EXPECT_TRUE(flags.hasColourTexture);
  EXPECT_FALSE(flags.hasAlpha);
}

TEST(TextureLoader, AlphaMapAloneTakesTheMaterialColour) {
  testing::CScratchFolder folder;
  const std::string alpha = folder.WriteText("a.ppm", std::string("P6\n1 1\n255\n\x0A\x14\x1F", 14));
  CTextureBuffer buffer;
  const TextureFlags flags = LoadTextures("", alpha, PackColor(200, 100, 50), buffer);
  EXPECT_TRUE(flags.textured && flags.hasAlpha && flags.alphaMapLoaded);
  EXPECT_FALSE(flags.hasColourTexture);
  EXPECT_EQ(Texel(buffer, 17, 230), (std::vector<int>{200, 100, 50, (10 + 20 + 31) / 3}));

  // With a colour texture, only the alpha changes.
  const TextureFlags both = LoadTextures(folder.WriteText("c.ppm", QuadPpm()), alpha, 0, buffer);
  EXPECT_TRUE(both.hasColourTexture && both.alphaMapLoaded);
  EXPECT_EQ(Texel(buffer, 255, 0), (std::vector<int>{0, 255, 0, 20}));
}

TEST(TextureLoader, LargePicturesKeepTheirSizeWithinTheLimits) {
  int rows = 0, columns = 0;
  TextureSize(1024, 512, kNoTextureBudget, rows, columns);
  EXPECT_EQ(rows, 1024);  // rows run along the picture's width
  EXPECT_EQ(columns, 512);
  TextureSize(100, 50, kNoTextureBudget, rows, columns);  // small ones fill 256 x 256
  EXPECT_EQ(rows, 256);
  EXPECT_EQ(columns, 256);
  TextureSize(20000, 300, kNoTextureBudget, rows, columns);  // halved together, never below 256
  EXPECT_EQ(rows, 5000);
  EXPECT_EQ(columns, 256);
  TextureSize(4096, 4096, size_t{16} << 20, rows, columns);  // over the budget: halved until it fits
  EXPECT_EQ(rows, 2048);
  EXPECT_EQ(columns, 2048);
  TextureSize(4096, 4096, 0, rows, columns);  // 256 x 256 is always allowed
  EXPECT_EQ(rows, 256);

  // An alpha map over a colour texture takes the texture's size.
  testing::CScratchFolder folder;
  CPixelImage wide;
  ASSERT_TRUE(wide.Create(512, 300, 24));
  ASSERT_TRUE(SavePng(folder.File("wide.png"), wide, nullptr, 0));
  CTextureBuffer buffer;
  const TextureFlags flags =
      LoadTextures(folder.File("wide.png"), folder.WriteText("a.ppm", QuadPpm()), 0, buffer);
  EXPECT_TRUE(flags.hasColourTexture && flags.alphaMapLoaded);
  EXPECT_EQ(buffer.Rows(), 512);
  EXPECT_EQ(buffer.Columns(), 300);
  EXPECT_EQ(Texel(buffer, 511, 0)[3], 85);  // green corner of the map: (0 + 255 + 0) / 3
}

TEST(TextureLoader, NothingLoadedReleasesTheBuffer) {
  testing::CScratchFolder folder;
  CTextureBuffer buffer;
  ASSERT_TRUE(buffer.Ensure());
  folder.WriteText("bad.bmp", "not a bitmap");
  folder.WriteText("pic.gif", "GIF89a");
  const TextureFlags flags = LoadTextures(folder.File("bad.bmp"), folder.File("pic.gif"), 0, buffer);
  EXPECT_FALSE(flags.textured || flags.hasColourTexture || flags.hasAlpha || flags.alphaMapLoaded);
  EXPECT_FALSE(buffer.IsAllocated());
  EXPECT_EQ(buffer.Texels(), nullptr);
}

TEST(TextureLoader, MaterialTexturesFollowTheDocument) {
  testing::CScratchFolder folder;
  folder.WriteText("Tex/Wood.PPM", QuadPpm());
  CQuorixDoc doc;
  doc.m_strPathName = folder.WriteText("model.mqo", "x");
  CMaterial material;
  material.m_strTexture = "tex\\wood.ppm";
  material.m_strBump = "bump.bmp";
  LoadMaterialTextures(doc, material);
  EXPECT_EQ(material.m_strTexturePath, folder.File("Tex/Wood.PPM"));
  EXPECT_EQ(material.m_strBumpPath, "bump.bmp");
  EXPECT_EQ(material.m_strAlphaPath, "");
  EXPECT_TRUE(material.IsTextured());
  EXPECT_TRUE(material.HasColourTexture());
  EXPECT_FALSE(material.HasAlpha());
  EXPECT_TRUE(material.m_TextureBuffer.IsAllocated());
  CMaterial copy = material;  // deep copy of the texels
  EXPECT_NE(copy.m_TextureBuffer.Texels(), material.m_TextureBuffer.Texels());
  EXPECT_EQ(Texel(copy.m_TextureBuffer, 255, 0), Texel(material.m_TextureBuffer, 255, 0));

  material.m_strTexture.clear();
  LoadMaterialTextures(doc, material);
  EXPECT_FALSE(material.IsTextured());
  EXPECT_FALSE(material.m_TextureBuffer.IsAllocated());
}

}  // namespace
}  // namespace brimvale
