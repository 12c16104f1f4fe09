// The reader's number conversions give exactly what strtof and strtol give
// for the forms model files hold, so a coordinate never changes by a bit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "document/mqo_cursor.h"

namespace brimvale {
namespace {

void ExpectSameAsStrtof(const std::string& text) {
  float ours = 0.0f;
  const char* end = ParseMqoFloat(text.data(), text.data() + text.size(), ours);
  char* theirsEnd = nullptr;
  const float theirs = std::strtof(text.c_str(), &theirsEnd);
  ASSERT_EQ(end - text.data(), theirsEnd - text.c_str()) << text;
  uint32_t a, b;
  std::memcpy(&a, &ours, 4);
  std::memcpy(&b, &theirs, 4);
  if (theirs == theirs) {
    EXPECT_EQ(a, b) << text;
  }
}

TEST(MqoNumbers, FloatsAreBitIdenticalToStrtof) {
  for (const char* text : {"0",
                           "-0",
                           "1",
                           "-100.0000",
                           "0.898",
                           "59.5",
                           "2.28881845e-06",
                           "1E+2",
                           ".5",
                           "-.25",
                           "+3",
                           "5.",
                           "1e38",
                           "3.4028235e38",
                           "3.4028236e38",
                           "1e39",
                           "1e-38",
                           "1e-45",
                           "1e-46",
                           "7.006492e-46",
                           "0.1000000000000000055511151231257827",
                           "123456789012345678901234567890",
                           "1e",
                           "1e+",
                           "-",
                           "+",
                           "+-1",
                           "abc",
                           "0x10",
                           "1.5.5",
                           "nan",
                           "inf",
                           "-infinity"}) {
    ExpectSameAsStrtof(text);
  }
  std::mt19937 random(7);
  std::uniform_int_distribution<uint32_t> bits;
  char text[64];
  for (int i = 0; i < 20000; ++i) {
    const uint32_t pattern = bits(random);
    float value;
    std::memcpy(&value, &pattern, 4);
    if (value != value) continue;
    std::snprintf(text, sizeof text, i % 3 == 0 ? "%.9g" : (i % 3 == 1 ? "%.4f" : "%.17e"),
                  static_cast<double>(value));
    ExpectSameAsStrtof(text);
  }
}

TEST(MqoNumbers, IntegersReadLikeStrtolAndOverflowIsRefused) {
  const std::string text = "123 -45 +6 2147483647 -2147483648 2147483648 99999999999999999999 x";
  const char* p = text.data();
  const char* end = text.data() + text.size();
  const int expected[] = {123, -45, 6, 2147483647, -2147483647 - 1, -1, -1};
  for (const int want : expected) {
    while (*p == ' ') ++p;
    int value = 0;
    const char* after = ParseMqoInt(p, end, value, -1);
    ASSERT_NE(after, p);
    EXPECT_EQ(value, want);
    p = after;
  }
  while (*p == ' ') ++p;
  int value = 5;
  EXPECT_EQ(ParseMqoInt(p, end, value), p);  // no number: nothing consumed
  EXPECT_EQ(value, 5);
}

TEST(MqoNumbers, CursorTokensAndNumbers) {
  CMqoCursor cursor("  face 1865{\r\n\t12.5 abc 7}  ");
  std::string_view token;
  ASSERT_TRUE(cursor.NextToken(token));
  EXPECT_EQ(token, "face");
  EXPECT_EQ(cursor.ReadInt(), 1865);
  ASSERT_TRUE(cursor.NextToken(token));
  EXPECT_EQ(token, "{");
  EXPECT_EQ(cursor.ReadInt(), 12);      // the fraction goes with it
  EXPECT_EQ(cursor.ReadFloat(), 0.0f);  // "abc" is consumed and reads as 0
  EXPECT_EQ(cursor.ReadFloat(), 7.0f);
  EXPECT_EQ(cursor.ReadInt(), 0);  // a brace is never eaten by a number read
  ASSERT_TRUE(cursor.NextToken(token));
  EXPECT_EQ(token, "}");
  EXPECT_FALSE(cursor.NextToken(token));
}

}  // namespace
}  // namespace brimvale
