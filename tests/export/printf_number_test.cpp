// The exporter's number writers against the C library's printf, which defines
// the text of every number in the scene files.
#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "export/printf_number.h"

namespace brimvale {
namespace {

std::string Fast(float value, int decimals) {
  char buffer[kMaxNumberChars];
  return std::string(buffer, WritePrintfFixed(buffer, value, decimals));
}

std::string Reference(float value, int decimals) {
  char buffer[kMaxNumberChars];
  const int n = std::snprintf(buffer, sizeof buffer, "%0.*f", decimals, static_cast<double>(value));
  return std::string(buffer, static_cast<size_t>(n));
}

void ExpectSameAsPrintf(float value) {
  for (int decimals : {0, 1, 3, 4}) {
    ASSERT_EQ(Fast(value, decimals), Reference(value, decimals))
        << "bits 0x" << std::hex << std::bit_cast<uint32_t>(value) << " decimals " << std::dec << decimals;
  }
}

TEST(PrintfNumber, NamedCasesMatchPrintf) {
  EXPECT_EQ(Fast(-0.00001f, 4), "-0.0000");
  EXPECT_EQ(Fast(-0.0f, 4), "-0.0000");
  EXPECT_EQ(Fast(0.0f, 3), "0.000");
  EXPECT_EQ(Fast(3.5f, 1), "3.5");
  EXPECT_EQ(Fast(0.7f, 1), "0.7");
  EXPECT_EQ(Fast(-300.0f, 3), "-300.000");
  EXPECT_EQ(Fast(100000.0f, 3), "100000.000");
  // Exact ties round to even, as glibc's printf does.
  EXPECT_EQ(Fast(0.0625f, 3), Reference(0.0625f, 3));
  EXPECT_EQ(Fast(0.5f, 0), "0");
  EXPECT_EQ(Fast(1.5f, 0), "2");
  EXPECT_EQ(Fast(2.5f, 0), "2");
  EXPECT_EQ(Fast(0.03125f, 4), Reference(0.03125f, 4));
  for (float special : {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                        std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::quiet_NaN(),
                        std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(),
                        std::numeric_limits<float>::denorm_min(), -std::numeric_limits<float>::denorm_min(),
                        9.99999e10f, 1e11f, -1e11f, 9.99999e11f, 1e12f, 4294967296.0f, 1.8446744e19f}) {
    ExpectSameAsPrintf(special);
  }
}

TEST(PrintfNumber, RandomBitPatternsMatchPrintf) {
  std::mt19937 random(12345);
  for (int i = 0; i < 300000; ++i) ExpectSameAsPrintf(std::bit_cast<float>(static_cast<uint32_t>(random())));
}

TEST(PrintfNumber, ModelSizedValuesAndTiesMatchPrintf) {
  std::mt19937 random(777);
  std::uniform_real_distribution<float> coordinate(-20000.0f, 20000.0f);
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  for (int i = 0; i < 200000; ++i) {
    ExpectSameAsPrintf(coordinate(random));
    ExpectSameAsPrintf(unit(random));
  }
  // Every value with a short binary fraction, where a half-way case between
  // two printed decimals can be exact.
  for (int k = -40000; k <= 40000; ++k) {
    ExpectSameAsPrintf(static_cast<float>(k) / 64.0f);
    ExpectSameAsPrintf(static_cast<float>(k) / 2048.0f);
  }
  // Neighbours of the decimal steps, one float apart.
  for (int k = -20000; k <= 20000; ++k) {
    const float step = static_cast<float>(k) / 2000.0f;
    ExpectSameAsPrintf(std::nextafter(step, 1e9f));
    ExpectSameAsPrintf(std::nextafter(step, -1e9f));
  }
}

TEST(PrintfNumber, DoublesAndIntegersMatchPrintf) {
  char buffer[kMaxNumberChars];
  for (double value : {0.48, -0.0, 1e300, -7.25, 6750.0000001, 0.1 + 0.05}) {
    char expected[kMaxNumberChars];
    std::snprintf(expected, sizeof expected, "%0.3f", value);
    EXPECT_EQ(std::string(buffer, WritePrintfFixed(buffer, value, 3)), expected);
  }
  for (int value : {0, 1, -1, 9, 10, 99, 100, 123456, INT_MAX, INT_MIN}) {
    EXPECT_EQ(std::string(buffer, WritePrintfInt(buffer, value)), std::to_string(value));
  }
}

}  // namespace
}  // namespace brimvale
