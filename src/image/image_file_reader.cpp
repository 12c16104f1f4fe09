#include "image/image_file_reader.h"

#include "image/codec_bridge.h"
#include "image/image_readers.h"
#include "image/texture_lookup.h"

namespace brimvale {
namespace {

// Blue, green, red of pixel x in a row of a palette or 16-bit image.
void SourceColour(const CPixelImage& image, const uint8_t* row, int x, uint8_t* bgr) {
  const int bits = image.BitCount();
  if (bits == 16) {
    const unsigned word = row[2 * x] | (row[2 * x + 1] << 8);
    const unsigned channel[3] = {word & 31u, (word >> 5) & 31u, (word >> 10) & 31u};
    for (int c = 0; c < 3; ++c) bgr[c] = static_cast<uint8_t>((channel[c] << 3) | (channel[c] >> 2));
    return;
  }
  int index = 0;
  if (bits == 8) index = row[x];
  else if (bits == 4) index = (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
  else index = (row[x >> 3] >> (7 - (x & 7))) & 1;
  if (index >= image.ColourCount()) {
    bgr[0] = bgr[1] = bgr[2] = 0;
    return;
  }
  const uint8_t* entry = image.ColourTable() + 4 * index;
  bgr[0] = entry[0];
  bgr[1] = entry[1];
  bgr[2] = entry[2];
}

}  // namespace

bool ReadImageFile(const std::string& path, CPixelImage& image) {
  switch (ImageTypeFromExtension(path)) {
    case kImageBmp: return image.ReadBmp(path, 63);
    case kImageTga: return ReadTga(path, image, nullptr, 0);
    case kImagePng: return LoadPng(path, image, nullptr, 0);
    case kImagePpm: return ReadPnm(path, image, nullptr, 0);
    case kImagePgm: return ReadPgm(path, image, nullptr, 0);
    case kImageJpeg: return LoadJpeg(path, image, nullptr, 0);
    default: return false;
  }
}

bool ConvertToTrueColour(CPixelImage& image) {
  if (image.IsEmpty() || image.BitCount() >= 24) return true;
  CPixelImage colour;
  const int height = image.IsTopDown() ? -image.Height() : image.Height();
  if (!colour.Create(image.Width(), height, 24)) return false;
  for (int y = 0; y < image.Height(); ++y) {
    const uint8_t* in = image.Row(y);
    uint8_t* out = colour.Row(y);
    for (int x = 0; x < image.Width(); ++x) SourceColour(image, in, x, out + 3 * x);
  }
  image.Swap(colour);
  return true;
}

}  // namespace brimvale
