// Netpbm PPM and PGM, binary and text. The header is read line by line as the
// format's writers lay it out: magic line, comment lines, size line, maximum
// value line.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "image/image_readers.h"

namespace brimvale {
namespace {

enum class PnmKind { BinaryColour, TextColour, BinaryGrey, TextGrey };

class CStdioFile {
 public:
  explicit CStdioFile(const std::string& path) : m_pFile(std::fopen(path.c_str(), "rb")) {}
  ~CStdioFile() {
    if (m_pFile != nullptr) std::fclose(m_pFile);
  }
  CStdioFile(const CStdioFile&) = delete;
  CStdioFile& operator=(const CStdioFile&) = delete;
  std::FILE* get() const { return m_pFile; }

 private:
  std::FILE* m_pFile;
};

bool ReadMagic(std::FILE* file, PnmKind& kind) {
  char line[128];
  if (std::fgets(line, sizeof line, file) == nullptr) return false;
  if (std::strcmp(line, "P6\n") == 0) kind = PnmKind::BinaryColour;
  else if (std::strcmp(line, "P3\n") == 0) kind = PnmKind::TextColour;
  else if (std::strcmp(line, "P5\n") == 0) kind = PnmKind::BinaryGrey;
  else if (std::strcmp(line, "P2\n") == 0) kind = PnmKind::TextGrey;
  else return false;
  return true;
}

// One decimal integer as "%d" takes it (leading white space skipped), refusing
// values outside an int instead of overflowing.
bool ParseInt(const char*& at, int& value) {
  char* end = nullptr;
  errno = 0;
  const long parsed = std::strtol(at, &end, 10);
  if (end == at || errno == ERANGE || parsed < INT32_MIN || parsed > INT32_MAX) return false;
  value = static_cast<int>(parsed);
  at = end;
  return true;
}

bool ReadSize(std::FILE* file, int& width, int& height) {
  char line[128];
  do {
    if (std::fgets(line, sizeof line, file) == nullptr) return false;
  } while (line[0] == '#');
  const char* at = line;
  return ParseInt(at, width) && ParseInt(at, height);
}

// A decimal number read a character at a time; only the low 8 bits are kept,
// so the arithmetic wraps instead of overflowing.
bool ReadTextNumber(std::FILE* file, uint8_t& sample) {
  if (std::feof(file)) return false;
  uint32_t value = 0;
  bool negative = false;
  bool digits = false;
  for (;;) {
    const int c = std::fgetc(file);
    if (c == EOF) {
      if (!digits) return false;
      break;
    }
    if (c >= '0' && c <= '9') {
      value = value * 10u + static_cast<uint32_t>(c - '0');
      digits = true;
    } else if (c == '-') {
      negative = true;
    } else if (digits) {
      break;
    }
  }
  if (negative) value = 0u - value;
  sample = static_cast<uint8_t>(value & 0xFFu);
  return true;
}

bool ReadRow(std::FILE* file, PnmKind kind, uint8_t* row, int width) {
  const size_t count = static_cast<size_t>(width);
  switch (kind) {
    case PnmKind::BinaryGrey: return std::fread(row, 1, count, file) == count;
    case PnmKind::TextGrey:
      for (size_t x = 0; x < count; ++x) {
        if (!ReadTextNumber(file, row[x])) return false;
      }
      return true;
    case PnmKind::BinaryColour:
      // Read red, green, blue straight into the row, then swap to blue, green, red.
      if (std::fread(row, 1, 3 * count, file) != 3 * count) return false;
      for (size_t x = 0; x < count; ++x) std::swap(row[3 * x], row[3 * x + 2]);
      return true;
    case PnmKind::TextColour:
      for (size_t x = 0; x < count; ++x) {
        if (!ReadTextNumber(file, row[3 * x + 2]) || !ReadTextNumber(file, row[3 * x + 1]) ||
            !ReadTextNumber(file, row[3 * x])) {
          return false;
        }
      }
      return true;
  }
  return false;
}

}  // namespace

bool ReadPnm(const std::string& path, CPixelImage& image, ProgressCallback progress, uint32_t userValue) {
  CStdioFile file(path);
  if (file.get() == nullptr) return false;
  PnmKind kind = PnmKind::BinaryColour;
  int width = 0;
  int height = 0;
  if (!ReadMagic(file.get(), kind) || !ReadSize(file.get(), width, height)) return false;
  char maxValueLine[128];
  if (std::fgets(maxValueLine, sizeof maxValueLine, file.get()) == nullptr) return false;
  if (height <= 0) return false;  // rows always run top to bottom

  const bool grey = kind == PnmKind::BinaryGrey || kind == PnmKind::TextGrey;
  if (!image.Create(width, height, grey ? 8 : 24)) return false;
  if (grey) image.SetGreyPalette();
  for (int y = 0; y < height; ++y) {
    if (!ReadRow(file.get(), kind, image.Row(y), width)) return false;
    if (progress != nullptr &&
        !progress(static_cast<float>(y) / static_cast<float>(height), userValue)) {
      return false;
    }
  }
  return true;
}

bool ReadPgm(const std::string& path, CPixelImage& image, ProgressCallback progress, uint32_t userValue) {
  return ReadPnm(path, image, progress, userValue);
}

}  // namespace brimvale
