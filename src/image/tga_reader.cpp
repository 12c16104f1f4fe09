// Truevision TGA: uncompressed and run-length colour-mapped, true-colour and
// grey pictures. Pixels are copied as stored; run-length packets may cross rows.
#include <cstring>

#include "image/image_file.h"
#include "image/image_readers.h"

namespace brimvale {
namespace {

struct TgaHeader {
  int idLength;
  int colourMapType;
  int imageType;
  int mapLength;
  int mapEntryBits;
  int width;
  int height;
  int depth;
  bool topFirst;
};

TgaHeader Unpack(const uint8_t* raw) {
  auto le16 = [raw](int at) { return raw[at] | (raw[at + 1] << 8); };
  return TgaHeader{raw[0], raw[1], raw[2], le16(5), raw[7], le16(12), le16(14), raw[16], (raw[17] & 32) != 0};
}

int MapEntryBytes(int entryBits) {
  switch (entryBits) {
    case 8: return 1;
    case 16: return 2;
    case 24: return 3;
    case 32: return 4;
    default: return 0;
  }
}

bool SkipColourMap(CImageFile& file, const TgaHeader& h) {
  if (h.colourMapType == 0) return true;
  return file.Skip(static_cast<uint64_t>(h.mapLength) * static_cast<uint64_t>(MapEntryBytes(h.mapEntryBits)));
}

// A required map of 24-bit entries becomes the first entries of the colour
// table and the rest of the table is black, so an index past the map shows
// black (as palette indices past a table do elsewhere); a map longer than the
// table is refused.
bool ReadColourMap(CImageFile& file, const TgaHeader& h, CPixelImage& image) {
  if (h.mapLength > image.ColourCount()) return false;
  uint8_t entry[3];
  uint8_t* table = image.ColourTable();
  for (int k = 0; k < h.mapLength; ++k) {
    if (!file.ReadExact(entry, 3)) return false;
    std::memcpy(table + 4 * k, entry, 3);
    table[4 * k + 3] = 0;
  }
  std::memset(table + 4 * h.mapLength, 0, 4 * static_cast<size_t>(image.ColourCount() - h.mapLength));
  return true;
}

bool ReadRows(CImageFile& file, CPixelImage& image, int bytesPerPixel) {
  const size_t rowBytes = static_cast<size_t>(image.Width()) * static_cast<size_t>(bytesPerPixel);
  const size_t stride = static_cast<size_t>(image.Stride());
  for (size_t row = 0; row < static_cast<size_t>(image.Height()); ++row) {
    if (!file.ReadExact(image.Bits() + row * stride, rowBytes)) return false;
  }
  return true;
}

bool DecodeRunLength(CImageFile& file, CPixelImage& image, int bytesPerPixel, bool topFirst) {
  const int width = image.Width();
  const int height = image.Height();
  const size_t pixelBytes = static_cast<size_t>(bytesPerPixel);
  int row = topFirst ? 0 : height - 1;
  const int step = topFirst ? 1 : -1;
  const int end = topFirst ? height : -1;
  int column = 0;
  uint8_t value[4];
  while (row != end) {
    uint8_t packet = 0;
    if (!file.ReadExact(&packet, 1)) return false;
    const int count = (packet & 0x7F) + 1;
    const bool repeat = (packet & 0x80) != 0;
    if (repeat && !file.ReadExact(value, pixelBytes)) return false;
    for (int i = 0; i < count; ++i) {
      if (!repeat && !file.ReadExact(value, pixelBytes)) return false;
      std::memcpy(image.Row(row) + static_cast<size_t>(column) * pixelBytes, value, pixelBytes);
      if (++column == width) {
        column = 0;
        row += step;
        if (row == end) break;  // the rest of the packet is dropped
      }
    }
  }
  return true;
}

bool ReadTgaBody(CImageFile& file, const TgaHeader& h, CPixelImage& image) {
  const int bytesPerPixel = h.depth / 8;
  const bool colourMapped = h.imageType == 1 || h.imageType == 9;
  const bool trueColour = h.imageType == 2 || h.imageType == 10;
  if (trueColour && h.depth != 16 && h.depth != 24 && h.depth != 32) return false;
  if (!trueColour && h.depth != 8) return false;
  if (colourMapped && h.colourMapType == 0) return false;

  const bool runLength = h.imageType >= 9;
  const int rows = (!runLength && h.topFirst) ? -h.height : h.height;
  if (!image.Create(h.width, rows, h.depth)) return false;

  if (colourMapped) {
    if (h.mapEntryBits != 24 || !ReadColourMap(file, h, image)) return false;
  } else {
    if (h.imageType == 3) image.SetGreyPalette();
    if (!SkipColourMap(file, h)) return false;
  }
  const bool read = runLength ? DecodeRunLength(file, image, bytesPerPixel, h.topFirst)
                              : ReadRows(file, image, bytesPerPixel);
  return read;
}

}  // namespace

bool ReadTga(const std::string& path, CPixelImage& image, ProgressCallback /*progress*/, uint32_t /*userValue*/) {
  CImageFile file(path);
  if (!file.IsOpen()) return false;
  uint8_t raw[18];
  if (!file.ReadExact(raw, sizeof raw)) return false;
  const TgaHeader header = Unpack(raw);
  if (header.idLength != 0 && !file.Skip(static_cast<uint64_t>(header.idLength))) return false;
  switch (header.imageType) {
    case 1:
    case 2:
    case 3:
    case 9:
    case 10: return ReadTgaBody(file, header, image);
    default: return false;
  }
}

}  // namespace brimvale
