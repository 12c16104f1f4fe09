#include "document/mqo_file_bytes.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace brimvale {
namespace {

class MappedFile : public ::testing::Test {
 protected:
  void SetUp() override {
    m_strPath = (std::filesystem::temp_directory_path() /
                 ("brimvale_mapped_" + std::to_string(getpid()) + ".mqo"))
                    .string();
    std::ofstream(m_strPath, std::ios::binary) << std::string(5 * 4096 + 7, 'x');
  }
  void TearDown() override { std::filesystem::remove(m_strPath); }
  std::string m_strPath;
};

TEST_F(MappedFile, AFileCutShortUnderTheReaderReadsAsZerosAndIsReported) {
  CMqoFileBytes file;
  std::string reason;
  ASSERT_TRUE(file.Load(m_strPath, reason)) << reason;
  ASSERT_EQ(file.Bytes().size(), 5u * 4096 + 7);
  EXPECT_EQ(file.Bytes()[4096], 'x');
  EXPECT_TRUE(file.Unchanged());
  ASSERT_EQ(truncate(m_strPath.c_str(), 100), 0);
  // Past the new end the pages are gone: zeros, not a bus error.
  EXPECT_EQ(file.Bytes()[3 * 4096 + 1], '\0');
  EXPECT_EQ(file.Bytes().back(), '\0');
  EXPECT_FALSE(file.Unchanged());
}

TEST_F(MappedFile, AGrownFileIsReportedAndPassedPagesAreReleased) {
  CMqoFileBytes file;
  std::string reason;
  ASSERT_TRUE(file.Load(m_strPath, reason)) << reason;
  file.ReleaseBefore(4 * 4096);
  EXPECT_EQ(file.Bytes()[4 * 4096 + 3], 'x');  // the current page stays
  EXPECT_TRUE(file.Unchanged());
  std::ofstream(m_strPath, std::ios::binary | std::ios::app) << "more";
  EXPECT_FALSE(file.Unchanged());
  CMqoFileBytes missing;
  EXPECT_FALSE(missing.Load(m_strPath + ".none", reason));
  EXPECT_EQ(reason, "No such file or directory");
}

TEST_F(MappedFile, BytesBuiltInMemoryGrowAndAMappedFileTakesNone) {
  CMqoFileBytes built;  // as a stream that cannot be mapped is read into it
  ASSERT_TRUE(built.Reserve(10));
  const std::string text = std::string(6000, 'a') + std::string(9000, 'b');
  ASSERT_TRUE(built.Append(text.data(), 6000));
  ASSERT_TRUE(built.Append(text.data() + 6000, 9000));
  EXPECT_TRUE(built.Bytes() == text);
  EXPECT_TRUE(built.Unchanged());

  CMqoFileBytes mapped;
  std::string reason;
  ASSERT_TRUE(mapped.Load(m_strPath, reason));
  EXPECT_FALSE(mapped.Append("x", 1));
}

}  // namespace
}  // namespace brimvale
