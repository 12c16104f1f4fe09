#include <gtest/gtest.h>

#include "image/image_file_reader.h"
#include "image/pixel_image.h"
#include "image_test_util.h"

namespace brimvale {
namespace {

using testing::Bytes;

struct BmpSpec {
  int32_t width = 2;
  int32_t height = 2;
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t sizeImage = 0;
  uint32_t clrUsed = 0;
  Bytes table;   // colour table bytes
  Bytes pixels;  // pixel or packed bytes
  bool zeroOffBits = false;
};

Bytes MakeBmp(const BmpSpec& s) {
  Bytes b;
  testing::Put8(b, 'B');
  testing::Put8(b, 'M');
  testing::Put32(b, static_cast<uint32_t>(54 + s.table.size() + s.pixels.size()));
  testing::Put32(b, 0);
  testing::Put32(b, s.zeroOffBits ? 0 : static_cast<uint32_t>(54 + s.table.size()));
  testing::Put32(b, 40);
  testing::Put32(b, static_cast<uint32_t>(s.width));
  testing::Put32(b, static_cast<uint32_t>(s.height));
  testing::Put16(b, 1);
  testing::Put16(b, s.bits);
  testing::Put32(b, s.compression);
  testing::Put32(b, s.sizeImage);
  testing::Put32(b, 0);
  testing::Put32(b, 0);
  testing::Put32(b, s.clrUsed);
  testing::Put32(b, 0);
  testing::Append(b, s.table);
  testing::Append(b, s.pixels);
  return b;
}

Bytes GreyTable(int entries) {
  Bytes t;
  for (int i = 0; i < entries; ++i) t.insert(t.end(), {uint8_t(i), uint8_t(i), uint8_t(i), 0});
  return t;
}

BmpSpec Rle(Bytes packed, int width = 4, int height = 2) {
  BmpSpec s;
  s.width = width;
  s.height = height;
  s.bits = 8;
  s.compression = 1;
  s.clrUsed = 4;
  s.table = GreyTable(4);
  s.sizeImage = static_cast<uint32_t>(packed.size());
  s.pixels = std::move(packed);
  return s;
}

class BmpReader : public ::testing::Test {
 protected:
  bool Read(const BmpSpec& spec, int mask = 63) { return image.ReadBmp(folder.Write("t.bmp", MakeBmp(spec)), mask); }
  testing::CScratchFolder folder;
  CPixelImage image;
};

TEST_F(BmpReader, TrueColourRowsKeepFileOrder) {
  BmpSpec s;  // 2 x 2 x 24: file row 0 is the bottom row
  s.pixels = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
  ASSERT_TRUE(Read(s));
  EXPECT_TRUE(image.IsBottomUp());
  EXPECT_EQ(image.Row(0)[0], 7);  // the file's last row is the picture's top
  EXPECT_EQ(image.PixelAddress(1, 1)[2], 6);
  s.height = -2;
  ASSERT_TRUE(Read(s));
  EXPECT_TRUE(image.IsTopDown());
  EXPECT_EQ(image.Row(0)[0], 1);
}

TEST_F(BmpReader, ColourTableLengthAndOffset) {
  BmpSpec s;
  s.width = 4;
  s.height = 1;
  s.bits = 8;
  s.clrUsed = 16;
  s.table = GreyTable(16);
  s.pixels = {0, 5, 15, 9};
  ASSERT_TRUE(Read(s));
  EXPECT_EQ(image.ColourCount(), 16);
  EXPECT_EQ(image.Row(0)[2], 15);
  s.clrUsed = 0;
  s.table = GreyTable(256);
  s.zeroOffBits = true;  // pixels directly behind the table
  ASSERT_TRUE(Read(s));
  EXPECT_EQ(image.ColourCount(), 256);
  EXPECT_EQ(image.ColourTable()[4 * 200], 200);
  EXPECT_EQ(image.Row(0)[1], 5);

  BmpSpec t;  // a true-colour file's biClrUsed is dropped
  t.clrUsed = 9;
  t.pixels = Bytes(16, 1);
  ASSERT_TRUE(Read(t));
  EXPECT_EQ(image.Header()->biClrUsed, 0u);
}

TEST_F(BmpReader, RefusesWhatItDoesNotRead) {
  BmpSpec s;
  s.pixels = Bytes(16, 0);
  ASSERT_TRUE(Read(s));
  EXPECT_FALSE(Read(s, 63 & ~16));  // 24 bits not in the mask
  EXPECT_TRUE(image.IsEmpty());
  s.compression = 2;
  EXPECT_FALSE(Read(s));
  s.compression = 3;
  EXPECT_FALSE(Read(s));
  s.compression = 0;
  s.bits = 12;
  EXPECT_FALSE(Read(s));
  Bytes wrongMagic = MakeBmp(BmpSpec{});
  wrongMagic[0] = 'X';
  EXPECT_FALSE(image.ReadBmp(folder.Write("m.bmp", wrongMagic), 63));
  Bytes v5 = MakeBmp(BmpSpec{});
  v5[14] = 124;
  EXPECT_FALSE(image.ReadBmp(folder.Write("v5.bmp", v5), 63));
  EXPECT_FALSE(image.ReadBmp(folder.File("missing.bmp"), 63));
}

TEST_F(BmpReader, RefusesImpossibleAndOversizedSizes) {
  BmpSpec s;
  s.pixels = Bytes(16, 0);
  for (auto [w, h] : {std::pair{0, 2}, {-2, 2}, {2, 0}, {2, INT32_MIN}, {65536, 65536}, {INT32_MAX, INT32_MAX},
                      {16384, 16385}}) {
    s.width = w;
    s.height = h;
    EXPECT_FALSE(Read(s)) << w << " x " << h;
    EXPECT_TRUE(image.IsEmpty());
  }
  // Colour maps longer than 256 entries.
  BmpSpec p;
  p.bits = 8;
  p.clrUsed = 257;
  p.table = GreyTable(257);
  p.pixels = Bytes(8, 0);
  EXPECT_FALSE(Read(p));
  p.clrUsed = 0xFFFFFFFF;
  EXPECT_FALSE(Read(p));
  // A compressed size larger than the file.
  BmpSpec r = Rle({0, 1});
  r.sizeImage = 0x7FFFFFFF;
  EXPECT_FALSE(Read(r));
}

TEST_F(BmpReader, TruncatedFilesFailAtEveryLength) {
  BmpSpec s;
  s.bits = 8;
  s.clrUsed = 4;
  s.table = GreyTable(4);
  s.pixels = Bytes(8, 2);
  const Bytes whole = MakeBmp(s);
  for (size_t n = 0; n < whole.size(); ++n) {
    EXPECT_FALSE(image.ReadBmp(folder.Write("cut.bmp", Bytes(whole.begin(), whole.begin() + long(n))), 63)) << n;
    EXPECT_TRUE(image.IsEmpty());
  }
  EXPECT_TRUE(image.ReadBmp(folder.Write("cut.bmp", whole), 63));
  const Bytes packed = MakeBmp(Rle({2, 1, 0, 0, 3, 2, 0, 1}));
  for (size_t n = 0; n < packed.size(); ++n) {
    EXPECT_FALSE(image.ReadBmp(folder.Write("cut.bmp", Bytes(packed.begin(), packed.begin() + long(n))), 63)) << n;
  }
}

TEST_F(BmpReader, RunLengthDecoding) {
  // Bottom-up: the first decoded row is the bottom one.
  ASSERT_TRUE(Read(Rle({3, 2, 0, 0, 0, 3, 1, 2, 3, 0, 1, 2})));
  EXPECT_EQ(image.Header()->biCompression, 0u);
  EXPECT_EQ(image.Header()->biSizeImage, 12u);
  const uint8_t* bottom = image.Row(1);
  const uint8_t* top = image.Row(0);
  EXPECT_EQ(bottom[0], 2);
  EXPECT_EQ(bottom[2], 2);
  EXPECT_EQ(bottom[3], 0);
  // The absolute run of 3 is followed by one pad byte.
  EXPECT_EQ(top[0], 1);
  EXPECT_EQ(top[2], 3);
  EXPECT_EQ(top[3], 2);  // after the pad byte, a run of one 2
}

TEST_F(BmpReader, RunLengthPadAndEscapes) {
  // Absolute 3 + pad, then a run of 1 x value 9: lands at column 3.
  ASSERT_TRUE(Read(Rle({0, 3, 4, 5, 6, 0xEE, 1, 9})));
  EXPECT_EQ(image.Row(1)[2], 6);
  EXPECT_EQ(image.Row(1)[3], 9);
  // Absolute 4 has no pad: the next pair is an end of line.
  ASSERT_TRUE(Read(Rle({0, 4, 1, 2, 3, 4, 0, 0, 1, 7})));
  EXPECT_EQ(image.Row(1)[3], 4);
  EXPECT_EQ(image.Row(0)[0], 7);
  // End-of-line escapes only: all zero. End of bitmap stops early with success.
  ASSERT_TRUE(Read(Rle({0, 0, 0, 0, 0, 0})));
  EXPECT_EQ(image.Row(0)[0] | image.Row(1)[3], 0);
  ASSERT_TRUE(Read(Rle({1, 5, 0, 1, 4, 8})));
  EXPECT_EQ(image.Row(1)[0], 5);
  EXPECT_EQ(image.Row(1)[1], 0);
  // Delta: right 2, up 1.
  ASSERT_TRUE(Read(Rle({0, 2, 2, 1, 1, 6})));
  EXPECT_EQ(image.Row(0)[2], 6);
}

TEST_F(BmpReader, RunLengthPastRowOrImageIsCut) {
  // A run of 200 on a 4-wide row, an absolute run past the row, a delta past
  // the last row: nothing is written outside the pixel block (ASan checks).
  ASSERT_TRUE(Read(Rle({200, 7, 0, 0, 0, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0})));
  EXPECT_EQ(image.Row(1)[3], 7);
  EXPECT_EQ(image.Row(0)[3], 4);
  ASSERT_TRUE(Read(Rle({0, 2, 255, 255, 5, 5, 255, 1}, 4, 1)));
  ASSERT_TRUE(Read(Rle({0, 0, 0, 0, 0, 0, 255, 3}, 4, 1)));
  EXPECT_EQ(image.Row(0)[0], 0);
  // Counts, values and escapes that would need bytes past the end stop there.
  ASSERT_TRUE(Read(Rle({0, 5, 1, 2})));
  EXPECT_EQ(image.Row(1)[1], 2);
  ASSERT_TRUE(Read(Rle({4})));
  ASSERT_TRUE(Read(Rle({0, 2, 1})));
  ASSERT_TRUE(Read(Rle({0})));
}

TEST_F(BmpReader, RunLengthOnAnyDepthStaysInsideTheBlock) {
  BmpSpec s = Rle({255, 1, 0, 0, 255, 2, 255, 3});
  s.bits = 24;
  s.clrUsed = 0;
  s.table.clear();
  ASSERT_TRUE(Read(s));
  EXPECT_EQ(image.Row(1)[image.Stride() - 1], 1);
  EXPECT_EQ(image.Row(0)[image.Stride() - 1], 2);
}

TEST_F(BmpReader, ThirtyTwoBitFourthByte) {
  BmpSpec s;
  s.bits = 32;
  s.pixels = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 1, 1, 1, 0};
  ASSERT_TRUE(Read(s));  // all reserved bytes 0: opaque
  EXPECT_EQ(image.Row(0)[3], 255);
  EXPECT_EQ(image.Row(1)[7], 255);
  s.pixels[7] = 40;  // any non-zero byte: the bytes are opacity as stored
  ASSERT_TRUE(Read(s));
  EXPECT_EQ(image.Row(1)[7], 40);
  EXPECT_EQ(image.Row(1)[3], 0);
}

TEST_F(BmpReader, PaletteIndicesBeyondTheTableBecomeBlackInTrueColour) {
  BmpSpec s;
  s.width = 2;
  s.height = 1;
  s.bits = 8;
  s.clrUsed = 2;
  s.table = {10, 20, 30, 0, 40, 50, 60, 0};
  s.pixels = {1, 250, 0, 0};
  ASSERT_TRUE(Read(s));
  ASSERT_TRUE(ConvertToTrueColour(image));
  EXPECT_EQ(image.BitCount(), 24);
  EXPECT_EQ(image.Row(0)[0], 40);
  EXPECT_EQ(image.Row(0)[2], 60);
  EXPECT_EQ(image.Row(0)[3] | image.Row(0)[4] | image.Row(0)[5], 0);
}

}  // namespace
}  // namespace brimvale
