#include <gtest/gtest.h>

#include <unistd.h>

#include "foundation/text_decoding.h"
#include "foundation/text_utils.h"

namespace brimvale {
namespace {

TEST(FormatFixed, MatchesPrintfIncludingNegativeZero) {
  EXPECT_EQ(FormatFixed(1.5f, 4), "1.5000");
  EXPECT_EQ(FormatFixed(-0.00001f, 4), "-0.0000");
  EXPECT_EQ(FormatFixed(-0.0f, 4), "-0.0000");
  EXPECT_EQ(FormatFixed(0.1f, 4), "0.1000");
  EXPECT_EQ(FormatFixed(2.5f, 0), "2");
  EXPECT_EQ(FormatFixed(1e30f, 3), "1000000015047466219876688855040.000");
  EXPECT_EQ(FormatFixed(0.33333334f, 3), "0.333");
}

TEST(IntToString, PrintsSign) {
  EXPECT_EQ(IntToString(-42), "-42");
  EXPECT_EQ(IntToString(0), "0");
}

TEST(CutChars, CutsFromEitherEnd) {
  EXPECT_EQ(CutChars("abcdef", 2, true), "cdef");
  EXPECT_EQ(CutChars("abcdef", 2, false), "abcd");
  EXPECT_EQ(CutChars("abc", 5, false), "");
  EXPECT_EQ(CutChars("abc", -1, true), "abc");
}

TEST(ModuleFolder, IsTheTestExecutablesFolderWithTrailingSlash) {
  const std::string folder = ModuleFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  char exe[4096];
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe);
  ASSERT_GT(n, 0);
  EXPECT_EQ(std::string(exe, static_cast<size_t>(n)).rfind(folder, 0), 0u);
}

TEST(DecodeName, KeepsUtf8AndDecodesShiftJis) {
  EXPECT_EQ(DecodeName("plain", false), "plain");
  EXPECT_EQ(DecodeName("\xE6\x9D\x90", false), "\xE6\x9D\x90");  // already UTF-8
  // "材質" in Shift-JIS.
  EXPECT_EQ(DecodeName("\x8D\xDE\x8E\xBF", false), "\xE6\x9D\x90\xE8\xB3\xAA");
  // 0x5C as the second byte of a Shift-JIS character ("ソ").
  EXPECT_EQ(DecodeName("\x83\x5C", false), "\xE3\x82\xBD");
  // A lone lead byte at the end does not crash and is replaced.
  EXPECT_EQ(DecodeName("a\x83", false), "a\xEF\xBF\xBD");
}

}  // namespace
}  // namespace brimvale
