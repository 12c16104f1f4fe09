#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "image/pixel_image.h"

namespace brimvale {
namespace {

void FillRows(CPixelImage& image) {
  for (int y = 0; y < image.Height(); ++y) {
    for (int b = 0; b < image.Stride(); ++b) image.Row(y)[b] = static_cast<uint8_t>(y * 40 + b);
  }
}

TEST(PixelImage, CreateBuildsHeaderAndTables) {
  CPixelImage image;
  EXPECT_TRUE(image.IsEmpty());
  ASSERT_TRUE(image.Create(3, 2, 8));
  const BITMAPINFOHEADER& h = *image.Header();
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biClrUsed, 256u);
  EXPECT_EQ(h.biSizeImage, 8u);  // stride 4 x 2 rows
  EXPECT_EQ(image.ColourCount(), 256);
  EXPECT_EQ(image.HeaderKind(), MemoryKind::GlobalFixed);
  EXPECT_EQ(image.BitsKind(), MemoryKind::GlobalFixed);
  for (int i : {0, 17, 255}) {
    const uint8_t* entry = image.ColourTable() + 4 * i;
    EXPECT_EQ(entry[0], i);
    EXPECT_EQ(entry[2], i);
    EXPECT_EQ(entry[3], 0);
  }

  ASSERT_TRUE(image.Create(3, 2, 24));
  EXPECT_EQ(image.Header()->biClrUsed, 0u);
  EXPECT_EQ(image.ColourCount(), 0);
  EXPECT_EQ(image.Stride(), 12);
  ASSERT_TRUE(image.Create(3, 2, 1));
  EXPECT_EQ(image.Stride(), 4);
  EXPECT_EQ(image.ColourTable()[4], 255);  // entry 1 white
  EXPECT_EQ(image.ColourTable()[0], 0);
}

TEST(PixelImage, CreateRefusesBadSizesAndDepths) {
  CPixelImage image;
  ASSERT_TRUE(image.Create(4, 4, 24));
  EXPECT_FALSE(image.Create(0, 4, 24));
  EXPECT_TRUE(image.IsEmpty());
  EXPECT_FALSE(image.Create(4, 0, 24));
  EXPECT_FALSE(image.Create(-4, 4, 24));
  EXPECT_FALSE(image.Create(4, 4, 12));
  EXPECT_FALSE(image.Create(4, 4, 33));
  // 2^28 pixels is the limit: one more row is refused, a product that
  // overflows 32 bits too.
  EXPECT_FALSE(image.Create(1 << 14, (1 << 14) + 1, 8));
  EXPECT_FALSE(image.Create(65536, 65536, 32));
  EXPECT_FALSE(image.Create(2147483647, -2147483647, 1));
  EXPECT_TRUE(image.IsEmpty());
}

TEST(PixelImage, RowsFollowStorageOrder) {
  CPixelImage image;
  ASSERT_TRUE(image.Create(2, 3, 24));
  EXPECT_TRUE(image.IsBottomUp());
  EXPECT_EQ(image.Row(0), image.Bits() + 2 * image.Stride());
  EXPECT_EQ(image.Row(2), image.Bits());
  ASSERT_TRUE(image.Create(2, -3, 24));
  EXPECT_TRUE(image.IsTopDown());
  EXPECT_EQ(image.Height(), 3);
  EXPECT_EQ(image.Row(0), image.Bits());

  ASSERT_TRUE(image.Create(20, -2, 1));
  EXPECT_EQ(image.PixelAddress(9, 1), image.Bits() + image.Stride() + 1);
  ASSERT_TRUE(image.Create(20, -2, 4));
  EXPECT_EQ(image.PixelAddress(9, 0), image.Bits() + 4);
  ASSERT_TRUE(image.Create(20, -2, 16));
  EXPECT_EQ(image.PixelAddress(9, 0), image.Bits() + 18);
  ASSERT_TRUE(image.Create(20, -2, 32));
  EXPECT_EQ(image.PixelAddress(9, 1), image.Bits() + image.Stride() + 36);
  image.Header()->biBitCount = 2;
  EXPECT_EQ(image.PixelAddress(0, 0), nullptr);
}

TEST(PixelImage, GreyPaletteByDepth) {
  CPixelImage image;
  ASSERT_TRUE(image.Create(2, 2, 4));
  image.SetGreyPalette();
  EXPECT_EQ(image.ColourTable()[4 * 15], 255);
  EXPECT_EQ(image.ColourTable()[4 * 3 + 1], 51);
  // A header that declares fewer entries than the depth allows is not
  // written past.
  auto* header = static_cast<uint8_t*>(std::malloc(40 + 4 * 2));
  auto* bits = static_cast<uint8_t*>(std::malloc(4));
  BITMAPINFOHEADER info{40, 1, 1, 1, 8, 0, 4, 0, 0, 2, 0};
  std::memcpy(header, &info, 40);
  ASSERT_TRUE(image.Attach(header, MemoryKind::Heap, bits, MemoryKind::Heap));
  image.SetGreyPalette();
  EXPECT_EQ(image.ColourTable()[4], 1);
}

TEST(PixelImage, AttachNeedsBothBlocks) {
  CPixelImage image;
  ASSERT_TRUE(image.Create(2, 2, 24));
  uint8_t* before = image.Bits();
  void* header = std::malloc(40);
  EXPECT_FALSE(image.Attach(header, MemoryKind::Heap, nullptr, MemoryKind::Heap));
  EXPECT_EQ(image.Bits(), before);
  std::free(header);
  image.Clear();
  EXPECT_TRUE(image.IsEmpty());
  EXPECT_EQ(image.Header(), nullptr);
  EXPECT_EQ(image.HeaderKind(), MemoryKind::None);
}

TEST(PixelImage, ResizeKeepsOrderDepthAndEnds) {
  for (int height : {5, -5}) {
    CPixelImage image;
    ASSERT_TRUE(image.Create(7, height, 24));
    FillRows(image);
    CPixelImage copy;
    ASSERT_TRUE(copy.Create(7, height, 24));
    std::memcpy(copy.Bits(), image.Bits(), image.ImageSize());
    ASSERT_TRUE(copy.Resize(7, 5));
    for (int y = 0; y < 5; ++y) {  // padding bytes carry no meaning
      EXPECT_EQ(std::memcmp(copy.Row(y), image.Row(y), 7 * 3), 0) << "same size reproduces row " << y;
    }

    ASSERT_TRUE(copy.Resize(13, 11));
    EXPECT_EQ(copy.IsTopDown(), height < 0);
    EXPECT_EQ(copy.BitCount(), 24);
    EXPECT_EQ(copy.Width(), 13);
    EXPECT_EQ(copy.Height(), 11);
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(copy.PixelAddress(12, 10)[c], image.PixelAddress(6, 4)[c]);
      EXPECT_EQ(copy.PixelAddress(0, 0)[c], image.PixelAddress(0, 0)[c]);
    }
  }
}

TEST(PixelImage, ResizeWeightsFollowSmoothstep) {
  CPixelImage image;
  ASSERT_TRUE(image.Create(2, -2, 32));
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) std::memset(image.PixelAddress(x, y), x * 200, 4);
  }
  // 5 columns over 2: positions 0, .25, .5, .75, then the last column.
  ASSERT_TRUE(image.Resize(5, 2));
  const int w1 = static_cast<int>((3 * 0.0625 - 2 * 0.015625) * 256);  // 40 at f = .25
  EXPECT_EQ(image.PixelAddress(1, 0)[3], (200 * w1 * 256) >> 16);
  EXPECT_EQ(image.PixelAddress(2, 1)[0], 100);  // f = .5 gives w1 = 128
  EXPECT_EQ(image.PixelAddress(4, 0)[1], 200);
}

TEST(PixelImage, ResizeNeverBlendsPaletteIndices) {
  CPixelImage image;
  ASSERT_TRUE(image.Create(3, 1, 8));
  image.Row(0)[0] = 10;
  image.Row(0)[1] = 200;
  image.Row(0)[2] = 30;
  ASSERT_TRUE(image.Resize(9, 4));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 9; ++x) {
      const int v = *image.PixelAddress(x, y);
      EXPECT_TRUE(v == 10 || v == 200 || v == 30) << v;
    }
  }
  EXPECT_EQ(*image.PixelAddress(8, 3), 30);

  CPixelImage bits;
  ASSERT_TRUE(bits.Create(3, 2, 1));
  bits.Row(0)[0] = 0xA0;  // 1 0 1
  bits.Row(1)[0] = 0x40;  // 0 1 0
  ASSERT_TRUE(bits.Resize(3, 2));
  EXPECT_EQ(bits.Row(0)[0] & 0xE0, 0xA0);
  EXPECT_EQ(bits.Row(1)[0] & 0xE0, 0x40);
  CPixelImage nibbles;
  ASSERT_TRUE(nibbles.Create(2, 1, 4));
  nibbles.Row(0)[0] = 0x3C;
  ASSERT_TRUE(nibbles.Resize(4, 2));
  EXPECT_EQ(nibbles.Row(1)[0], 0x33);
  EXPECT_EQ(nibbles.Row(1)[1], 0xCC);
}

TEST(PixelImage, ResizeOfSingleRowOrColumnRepeatsIt) {
  CPixelImage image;
  ASSERT_TRUE(image.Create(1, 1, 24));
  image.Bits()[0] = 7;
  image.Bits()[1] = 8;
  image.Bits()[2] = 9;
  ASSERT_TRUE(image.Resize(4, 3));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(image.PixelAddress(x, y)[2], 9);
  }
  CPixelImage column;
  ASSERT_TRUE(column.Create(1, 3, 16));
  for (int y = 0; y < 3; ++y) column.Row(y)[0] = static_cast<uint8_t>(y + 1);
  ASSERT_TRUE(column.Resize(5, 3));
  EXPECT_EQ(column.PixelAddress(4, 2)[0], 3);
}

TEST(PixelImage, ResizeKeepsAShortColourTableShort) {
  CPixelImage image;
  auto* header = static_cast<uint8_t*>(std::malloc(40 + 4 * 4));
  auto* bits = static_cast<uint8_t*>(std::malloc(8));
  BITMAPINFOHEADER info{40, 2, 2, 1, 8, 0, 8, 0, 0, 4, 0};
  std::memcpy(header, &info, 40);
  std::memset(bits, 3, 8);
  ASSERT_TRUE(image.Attach(header, MemoryKind::GlobalFixed, bits, MemoryKind::GlobalFixed));
  ASSERT_TRUE(image.Resize(6, 6));
  EXPECT_EQ(image.ColourCount(), 4);
  EXPECT_EQ(*image.PixelAddress(5, 5), 3);
}

TEST(PixelImage, ResizeFailsWithoutChange) {
  CPixelImage empty;
  EXPECT_FALSE(empty.Resize(4, 4));
  CPixelImage image;
  ASSERT_TRUE(image.Create(2, 2, 24));
  uint8_t* before = image.Bits();
  EXPECT_FALSE(image.Resize(0, 4));
  EXPECT_FALSE(image.Resize(1 << 15, 1 << 15));
  EXPECT_FALSE(image.Resize(4, INT32_MIN));
  EXPECT_EQ(image.Bits(), before);
  EXPECT_EQ(image.Width(), 2);
}

}  // namespace
}  // namespace brimvale
