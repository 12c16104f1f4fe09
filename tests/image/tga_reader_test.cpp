#include <gtest/gtest.h>

#include <cstring>

#include "image/image_readers.h"
#include "image_test_util.h"

namespace brimvale {
namespace {

using testing::Bytes;

struct TgaSpec {
  int type = 2;
  int mapType = 0;
  int mapLength = 0;
  int mapBits = 0;
  int width = 2;
  int height = 2;
  int depth = 24;
  int descriptor = 0;
  Bytes id;
  Bytes map;
  Bytes data;
};

Bytes MakeTga(const TgaSpec& s) {
  Bytes b;
  testing::Put8(b, static_cast<unsigned>(s.id.size()));
  testing::Put8(b, static_cast<unsigned>(s.mapType));
  testing::Put8(b, static_cast<unsigned>(s.type));
  testing::Put16(b, 0);
  testing::Put16(b, static_cast<unsigned>(s.mapLength));
  testing::Put8(b, static_cast<unsigned>(s.mapBits));
  testing::Put16(b, 0);
  testing::Put16(b, 0);
  testing::Put16(b, static_cast<unsigned>(s.width));
  testing::Put16(b, static_cast<unsigned>(s.height));
  testing::Put8(b, static_cast<unsigned>(s.depth));
  testing::Put8(b, static_cast<unsigned>(s.descriptor));
  testing::Append(b, s.id);
  testing::Append(b, s.map);
  testing::Append(b, s.data);
  return b;
}

Bytes Sequence(int count, int start = 1) {
  Bytes b;
  for (int i = 0; i < count; ++i) b.push_back(static_cast<uint8_t>(start + i));
  return b;
}

class TgaReader : public ::testing::Test {
 protected:
  bool Read(const TgaSpec& spec) { return ReadTga(folder.Write("t.tga", MakeTga(spec)), image, nullptr, 0); }
  testing::CScratchFolder folder;
  CPixelImage image;
};

TEST_F(TgaReader, DescriptorChoosesRowOrder) {
  TgaSpec s;
  s.data = Sequence(12);  // file rows: 1..6, 7..12
  s.id = {9, 9, 9};
  ASSERT_TRUE(Read(s));
  EXPECT_TRUE(image.IsBottomUp());
  EXPECT_EQ(image.Row(0)[0], 7);  // the file's last row is the top
  s.descriptor = 32;
  ASSERT_TRUE(Read(s));
  EXPECT_TRUE(image.IsTopDown());
  EXPECT_EQ(image.Row(0)[0], 1);
  EXPECT_EQ(image.PixelAddress(1, 1)[2], 12);
}

TEST_F(TgaReader, AlphaIsStoredAsOpacity) {
  TgaSpec s;
  s.depth = 32;
  s.width = 2;
  s.height = 1;
  s.data = {1, 2, 3, 255, 4, 5, 6, 0};
  ASSERT_TRUE(Read(s));
  EXPECT_EQ(image.BitCount(), 32);
  EXPECT_EQ(image.Row(0)[3], 255);
  EXPECT_EQ(image.Row(0)[7], 0);
  s.type = 10;
  s.data = {0x81, 9, 9, 9, 128};
  ASSERT_TRUE(Read(s));
  EXPECT_EQ(image.Row(0)[7], 128);
}

TEST_F(TgaReader, RunLengthPacketsMayCrossRows) {
  TgaSpec crossing;
  crossing.width = 3;
  crossing.height = 2;
  crossing.type = 10;  // true-colour run-length with 16-bit pixels
  crossing.depth = 16;
  crossing.data = {0x83, 0x34, 0x12, 0x01, 0x78, 0x56, 0x9A, 0xBC};  // 4 repeats cross the row end
  ASSERT_TRUE(Read(crossing));
  EXPECT_EQ(image.Row(1)[4], 0x34);  // bottom row (first in file), column 2
  EXPECT_EQ(image.Row(0)[0], 0x34);  // packet carried into the next row
  EXPECT_EQ(image.Row(0)[2], 0x78);
  EXPECT_EQ(image.Row(0)[5], 0xBC);

  TgaSpec rowWise;  // same picture, packets ending at rows
  rowWise = crossing;
  rowWise.data = {0x82, 0x34, 0x12, 0x80, 0x34, 0x12, 0x01, 0x78, 0x56, 0x9A, 0xBC};
  CPixelImage byRows;
  ASSERT_TRUE(ReadTga(folder.Write("rows.tga", MakeTga(rowWise)), byRows, nullptr, 0));
  for (int y = 0; y < 2; ++y) EXPECT_EQ(std::memcmp(byRows.Row(y), image.Row(y), 6), 0);
}

TEST_F(TgaReader, RepeatPacketPastTheLastPixelIsCut) {
  TgaSpec s;
  s.type = 10;
  s.width = 2;
  s.height = 2;
  s.descriptor = 32;
  s.data = {0xFF, 1, 2, 3};  // 128 repeats for 4 pixels
  ASSERT_TRUE(Read(s));
  EXPECT_EQ(image.PixelAddress(1, 1)[2], 3);
  s.type = 9;  // colour-mapped
  s.depth = 8;
  s.mapType = 1;
  s.mapLength = 2;
  s.mapBits = 24;
  s.map = {10, 20, 30, 40, 50, 60};
  s.data = {0xFF, 1};
  ASSERT_TRUE(Read(s));
  EXPECT_EQ(image.ColourTable()[4], 40);
  EXPECT_EQ(*image.PixelAddress(1, 1), 1);
}

TEST_F(TgaReader, ColourMaps) {
  TgaSpec s;
  s.type = 1;
  s.depth = 8;
  s.mapType = 1;
  s.mapLength = 3;
  s.mapBits = 24;
  s.map = Sequence(9, 100);
  s.data = {0, 1, 2, 2};
  ASSERT_TRUE(Read(s));
  EXPECT_EQ(image.ColourTable()[8], 106);
  EXPECT_EQ(image.ColourTable()[11], 0);
  s.mapBits = 16;  // only 24-bit entries are read
  s.map = Sequence(6);
  EXPECT_FALSE(Read(s));
  s.mapType = 0;
  EXPECT_FALSE(Read(s));

  TgaSpec skipped;  // true colour skips a map by its entry size
  skipped.mapType = 1;
  skipped.mapLength = 2;
  skipped.mapBits = 32;
  skipped.map = Bytes(8, 0xEE);
  skipped.width = 1;
  skipped.height = 1;
  skipped.data = {1, 2, 3};
  ASSERT_TRUE(Read(skipped));
  EXPECT_EQ(image.Row(0)[0], 1);
  skipped.type = 3;  // grey too, with a grey table
  skipped.depth = 8;
  skipped.data = {77};
  ASSERT_TRUE(Read(skipped));
  EXPECT_EQ(image.Row(0)[0], 77);
  EXPECT_EQ(image.ColourTable()[4 * 77], 77);
}

TEST_F(TgaReader, RefusesBadHeadersAndIndices) {
  TgaSpec s;
  s.type = 11;
  s.depth = 8;
  s.data = Bytes(4, 0);
  EXPECT_FALSE(Read(s));
  s.type = 2;
  s.depth = 15;
  EXPECT_FALSE(Read(s));
  s.type = 3;
  s.depth = 24;
  EXPECT_FALSE(Read(s));

  TgaSpec mapped;
  mapped.type = 1;
  mapped.depth = 8;
  mapped.mapType = 1;
  mapped.mapBits = 24;
  mapped.mapLength = 257;  // longer than any colour table
  mapped.map = Bytes(257 * 3, 1);
  mapped.data = Bytes(4, 0);
  EXPECT_FALSE(Read(mapped));
  // Indices beyond the map are black, not a refused picture.
  mapped.mapLength = 2;
  mapped.map = Bytes(6, 1);
  mapped.data = {0, 1, 2, 0};
  ASSERT_TRUE(Read(mapped));
  EXPECT_EQ(image.ColourTable()[4], 1);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(image.ColourTable()[8 + c], 0) << c;
  mapped.type = 9;
  mapped.data = {0x83, 5};
  ASSERT_TRUE(Read(mapped));
  EXPECT_EQ(image.Row(0)[1], 5);
  EXPECT_EQ(image.ColourTable()[4 * 5 + 1], 0);

  TgaSpec huge;  // 65535 x 65535 is beyond the pixel limit
  huge.width = 65535;
  huge.height = 65535;
  huge.data = Bytes(16, 0);
  EXPECT_FALSE(Read(huge));
  huge.width = 0;
  EXPECT_FALSE(Read(huge));
}

TEST_F(TgaReader, TruncatedFilesFailAtEveryLength) {
  for (int type : {1, 2, 9, 10}) {
    TgaSpec s;
    s.type = type;
    s.id = {1};
    if (type == 1 || type == 9) {
      s.depth = 8;
      s.mapType = 1;
      s.mapLength = 2;
      s.mapBits = 24;
      s.map = Bytes(6, 3);
      s.data = type == 1 ? Bytes{0, 1, 1, 0} : Bytes{0x00, 1, 0x82, 0};
    } else {
      s.data = type == 2 ? Sequence(12) : Bytes{0x01, 1, 2, 3, 4, 5, 6, 0x81, 7, 8, 9};
    }
    const Bytes whole = MakeTga(s);
    ASSERT_TRUE(ReadTga(folder.Write("whole.tga", whole), image, nullptr, 0)) << type;
    for (size_t n = 0; n < whole.size(); ++n) {
      CPixelImage cut;
      EXPECT_FALSE(ReadTga(folder.Write("cut.tga", Bytes(whole.begin(), whole.begin() + long(n))), cut, nullptr, 0))
          << type << " cut at " << n;
    }
  }
}

TEST_F(TgaReader, FailureBeforeCreateKeepsTheImage) {
  ASSERT_TRUE(image.Create(5, 5, 24));
  EXPECT_FALSE(ReadTga(folder.Write("short.tga", Bytes(10, 0)), image, nullptr, 0));
  EXPECT_EQ(image.Width(), 5);
  EXPECT_FALSE(ReadTga(folder.File("missing.tga"), image, nullptr, 0));
  EXPECT_EQ(image.Width(), 5);
}

}  // namespace
}  // namespace brimvale
