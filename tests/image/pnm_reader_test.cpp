#include <gtest/gtest.h>

#include <string>

#include "image/image_readers.h"
#include "image_test_util.h"

namespace brimvale {
namespace {

class PnmReader : public ::testing::Test {
 protected:
  bool Read(const std::string& text) { return ReadPnm(folder.WriteText("t.ppm", text), image, nullptr, 0); }
  testing::CScratchFolder folder;
  CPixelImage image;
};

TEST_F(PnmReader, BinaryColourWithComments) {
  ASSERT_TRUE(Read(std::string("P6\n# made by hand\n# twice\n2 2\n255\n") + "\x01\x02\x03\x04\x05\x06" +
                   "\x07\x08\x09\x0a\x0b\x0c"));
  EXPECT_EQ(image.BitCount(), 24);
  EXPECT_TRUE(image.IsBottomUp());
  const uint8_t* top = image.Row(0);
  EXPECT_EQ(top[0], 3);  // blue, green, red
  EXPECT_EQ(top[2], 1);
  EXPECT_EQ(image.PixelAddress(1, 1)[0], 12);
}

TEST_F(PnmReader, TextSamplesKeepTheirLowByte) {
  // Maximum value 15 is not applied; 300 is stored as 44, -1 as 255.
  ASSERT_TRUE(Read("P3\n2 1\n15\n0 7 15\n300 -1 x9"));
  EXPECT_EQ(image.Row(0)[0], 15);
  EXPECT_EQ(image.Row(0)[1], 7);
  EXPECT_EQ(image.Row(0)[2], 0);
  EXPECT_EQ(image.Row(0)[5], 44);
  EXPECT_EQ(image.Row(0)[4], 255);
  EXPECT_EQ(image.Row(0)[3], 9);
  // Digits past what 32 bits hold wrap instead of overflowing.
  ASSERT_TRUE(Read("P2\n1 1\n255\n99999999999999999999"));
  EXPECT_EQ(image.Row(0)[0], 255);  // 10^20 - 1 is -1 modulo 256
}

TEST_F(PnmReader, GreyGetsAGreyTable) {
  ASSERT_TRUE(ReadPgm(folder.WriteText("g.pgm", "P5\n4 2\n255\nabcdefgh"), image, nullptr, 0));
  EXPECT_EQ(image.BitCount(), 8);
  EXPECT_EQ(image.ColourCount(), 256);
  EXPECT_EQ(image.ColourTable()[4 * 99], 99);
  EXPECT_EQ(image.Row(1)[3], 'h');
  ASSERT_TRUE(Read("P2\n2 1\n255\n12 300\n"));
  EXPECT_EQ(image.Row(0)[1], 44);
  // A .pgm holding a colour magic is read as colour.
  ASSERT_TRUE(ReadPgm(folder.WriteText("c.pgm", "P3\n1 1\n255\n1 2 3\n"), image, nullptr, 0));
  EXPECT_EQ(image.BitCount(), 24);
}

TEST_F(PnmReader, RefusesHeadersItDoesNotRead) {
  EXPECT_FALSE(Read("P6 2 2\n255\n"));
  EXPECT_FALSE(Read("P4\n2 2\n"));
  EXPECT_FALSE(Read("P6\n2\n255\n"));
  EXPECT_FALSE(Read("P6\n0 2\n255\n"));
  EXPECT_FALSE(Read("P6\n2 -2\n255\n"));
  EXPECT_FALSE(Read("P5\n16385 16384\n255\n"));          // over the pixel limit
  EXPECT_FALSE(Read("P5\n99999999999 99999999999\n255\n"));  // beyond an int
  EXPECT_FALSE(Read(""));
}

TEST_F(PnmReader, TruncatedFilesFailAtEveryLength) {
  for (const std::string& whole : {std::string("P6\n# c\n2 2\n255\n") + std::string(12, 'x'),
                                  std::string("P3\n2 1\n255\n1 2 3 4 5 6\n"), std::string("P2\n2 2\n9\n1 2 3 4")}) {
    ASSERT_TRUE(Read(whole)) << whole;
    for (size_t n = 0; n + 1 < whole.size(); ++n) {
      CPixelImage cut;
      EXPECT_FALSE(ReadPnm(folder.WriteText("cut.ppm", whole.substr(0, n)), cut, nullptr, 0)) << n;
    }
  }
}

TEST_F(PnmReader, ProgressPerRowAndStop) {
  static int calls;
  calls = 0;
  auto count = [](float fraction, uint32_t user) {
    EXPECT_EQ(user, 42u);
    EXPECT_LT(fraction, 1.0f);
    return ++calls < 2;
  };
  EXPECT_FALSE(ReadPnm(folder.WriteText("p.pgm", "P5\n1 3\n255\nabc"), image, count, 42));
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(image.Row(1)[0], 'b');  // the part read stays
}

}  // namespace
}  // namespace brimvale
