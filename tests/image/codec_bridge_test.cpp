#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "image/codec_bridge.h"
#include "image_test_util.h"

namespace brimvale {
namespace {

std::string Data(const std::string& name) { return testing::SourceFile("tests/data/image/" + name); }

// Blue, green, red (and the fourth byte) of picture pixel (x, y).
std::vector<int> Pixel(const CPixelImage& image, int x, int y) {
  const uint8_t* p = image.PixelAddress(x, y);
  const int bytes = image.BitCount() / 8;
  return std::vector<int>(p, p + bytes);
}

TEST(CodecBridge, PngVariantsBecomeTheSamePicture) {
  // Red, lime / blue, white, stored bottom-up.
  for (const char* name : {"quad_rgb.png", "quad_rgb16.png", "quad_interlaced.png", "quad_palette.png"}) {
    CPixelImage image;
    ASSERT_TRUE(LoadPng(Data(name), image, nullptr, 0)) << name;
    EXPECT_EQ(image.BitCount(), 24) << name;
    EXPECT_TRUE(image.IsBottomUp());
    EXPECT_EQ(image.HeaderKind(), MemoryKind::GlobalFixed);
    EXPECT_EQ(Pixel(image, 0, 0), (std::vector<int>{0, 0, 255})) << name;
    EXPECT_EQ(Pixel(image, 1, 0), (std::vector<int>{0, 255, 0})) << name;
    EXPECT_EQ(Pixel(image, 0, 1), (std::vector<int>{255, 0, 0})) << name;
    EXPECT_EQ(Pixel(image, 1, 1), (std::vector<int>{255, 255, 255})) << name;
  }
}

TEST(CodecBridge, PngAlphaAndGrey) {
  CPixelImage image;
  ASSERT_TRUE(LoadPng(Data("quad_rgba.png"), image, nullptr, 0));
  EXPECT_EQ(image.BitCount(), 32);
  EXPECT_EQ(Pixel(image, 0, 0)[3], 255);  // opaque
  EXPECT_NEAR(Pixel(image, 1, 0)[3], 128, 1);
  EXPECT_EQ(Pixel(image, 1, 0)[1], 255);  // colour not premultiplied

  ASSERT_TRUE(LoadPng(Data("quad_grey16.png"), image, nullptr, 0));
  EXPECT_EQ(image.BitCount(), 8);
  EXPECT_EQ(image.ColourCount(), 256);
  EXPECT_EQ(image.ColourTable()[4 * 200], 200);
  EXPECT_EQ(*image.PixelAddress(1, 0), 255);
  EXPECT_NEAR(*image.PixelAddress(0, 0), 128, 1);
}

TEST(CodecBridge, SavePngRoundTripsOpacity) {
  testing::CScratchFolder folder;
  for (int height : {2, -2}) {
    CPixelImage image;
    ASSERT_TRUE(image.Create(3, height, 32));
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) {
        uint8_t* p = image.PixelAddress(x, y);
        p[0] = static_cast<uint8_t>(10 * x);
        p[1] = static_cast<uint8_t>(100 + y);
        p[2] = 200;
        p[3] = static_cast<uint8_t>(x == 1 ? 0 : 255);
      }
    }
    const std::string path = folder.File("round.png");
    ASSERT_TRUE(SavePng(path, image, nullptr, 0));
    CPixelImage back;
    ASSERT_TRUE(LoadPng(path, back, nullptr, 0));
    ASSERT_EQ(back.BitCount(), 32);
    EXPECT_EQ(Pixel(back, 2, 1), Pixel(image, 2, 1));
    EXPECT_EQ(Pixel(back, 0, 0), Pixel(image, 0, 0));
    EXPECT_EQ(Pixel(back, 1, 0)[3], 0);
  }
  CPixelImage rgb;
  ASSERT_TRUE(rgb.Create(1, 1, 24));
  rgb.Bits()[0] = 1;
  rgb.Bits()[1] = 2;
  rgb.Bits()[2] = 3;
  ASSERT_TRUE(SavePng(folder.File("rgb.png"), rgb, nullptr, 0));
  CPixelImage back;
  ASSERT_TRUE(LoadPng(folder.File("rgb.png"), back, nullptr, 0));
  EXPECT_EQ(Pixel(back, 0, 0), (std::vector<int>{1, 2, 3}));
}

TEST(CodecBridge, SavePngRefusesAndLeavesNothing) {
  testing::CScratchFolder folder;
  CPixelImage grey;
  ASSERT_TRUE(grey.Create(2, 2, 8));
  EXPECT_FALSE(SavePng(folder.File("grey.png"), grey, nullptr, 0));
  CPixelImage empty;
  EXPECT_FALSE(SavePng(folder.File("empty.png"), empty, nullptr, 0));
  CPixelImage rgb;
  ASSERT_TRUE(rgb.Create(2, 2, 24));
  EXPECT_FALSE(SavePng(folder.File("no/such/folder.png"), rgb, nullptr, 0));
  auto stop = [](float, uint32_t) { return false; };
  EXPECT_FALSE(SavePng(folder.File("stopped.png"), rgb, stop, 0));
  EXPECT_TRUE(std::filesystem::is_empty(folder.Folder()));
}

TEST(CodecBridge, JpegColourGreyAndCmyk) {
  CPixelImage image;
  ASSERT_TRUE(LoadJpeg(Data("rgb.jpg"), image, nullptr, 0));
  EXPECT_EQ(image.BitCount(), 24);
  EXPECT_TRUE(image.IsBottomUp());
  EXPECT_EQ(image.Width(), 8);
  EXPECT_GT(Pixel(image, 3, 3)[0], 240);  // blue
  EXPECT_LT(Pixel(image, 3, 3)[2], 16);

  ASSERT_TRUE(LoadJpeg(Data("grey.jpg"), image, nullptr, 0));
  EXPECT_EQ(image.BitCount(), 8);
  EXPECT_EQ(image.ColourTable()[4 * 77 + 2], 77);
  EXPECT_NEAR(*image.PixelAddress(5, 5), 102, 2);

  ASSERT_TRUE(LoadJpeg(Data("cmyk.jpg"), image, nullptr, 0));
  EXPECT_EQ(image.BitCount(), 24);
  EXPECT_GT(Pixel(image, 2, 6)[2], 230);  // red
  EXPECT_LT(Pixel(image, 2, 6)[0], 25);
}

TEST(CodecBridge, JpegProgressCanStop) {
  static int rows;
  rows = 0;
  auto stopAtThree = [](float, uint32_t) { return ++rows < 3; };
  CPixelImage image;
  EXPECT_FALSE(LoadJpeg(Data("rgb.jpg"), image, stopAtThree, 0));
  EXPECT_EQ(rows, 3);
}

TEST(CodecBridge, BrokenFilesFailWithoutTouchingTheImage) {
  testing::CScratchFolder folder;
  const testing::Bytes png = testing::ReadAll(Data("quad_rgb.png"));
  const testing::Bytes jpg = testing::ReadAll(Data("rgb.jpg"));
  ASSERT_FALSE(png.empty());
  CPixelImage image;
  ASSERT_TRUE(image.Create(5, 5, 24));
  // Cut anywhere before the end of the picture data (what follows it, text
  // chunks and the end marker, is not needed for the picture).
  const std::string bytes(png.begin(), png.end());
  const size_t idat = bytes.find("IDAT");
  ASSERT_NE(idat, std::string::npos);
  const size_t dataEnd = idat + 4 + ((size_t{png[idat - 2]} << 8) | png[idat - 1]);
  for (size_t n = 0; n < dataEnd; ++n) {
    const std::string path = folder.Write("cut.png", testing::Bytes(png.begin(), png.begin() + long(n)));
    EXPECT_FALSE(LoadPng(path, image, nullptr, 0)) << n;
    EXPECT_EQ(image.Width(), 5);
  }
  for (size_t n = 0; n < jpg.size() - 2; ++n) {
    CPixelImage cut;
    const std::string path = folder.Write("cut.jpg", testing::Bytes(jpg.begin(), jpg.begin() + long(n)));
    EXPECT_FALSE(LoadJpeg(path, cut, nullptr, 0)) << n;
  }
  // A chunk that claims more bytes than the file holds is refused before
  // anything is allocated for it.
  EXPECT_FALSE(LoadPng(testing::SourceFile("fuzz/seeds/png_codec_fuzz/huge_chunk_length.png"), image, nullptr, 0));
  EXPECT_FALSE(LoadPng(folder.File("missing.png"), image, nullptr, 0));
  EXPECT_FALSE(LoadJpeg(folder.File("missing.jpg"), image, nullptr, 0));
  EXPECT_EQ(image.Width(), 5);
}

TEST(CodecBridge, MissingLibraryGivesFalse) {
  testing::CScratchFolder folder;
  SetCodecFolder(folder.Folder());
  CPixelImage image;
  EXPECT_FALSE(LoadPng(Data("quad_rgb.png"), image, nullptr, 0));
  EXPECT_FALSE(LoadJpeg(Data("rgb.jpg"), image, nullptr, 0));
  // A library without the export.
  folder.WriteText("libtesspng.so", "not a library");
  EXPECT_FALSE(LoadPng(Data("quad_rgb.png"), image, nullptr, 0));
  SetCodecFolder(std::string());
  EXPECT_EQ(CodecFolder(), std::string(BRIMVALE_BINARY_DIR "/bin/"));
  EXPECT_TRUE(LoadPng(Data("quad_rgb.png"), image, nullptr, 0));
}

}  // namespace
}  // namespace brimvale
