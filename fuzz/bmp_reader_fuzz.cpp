// ReadBmp on arbitrary bytes, then the operations the texture loader applies.
#include "fuzz_input_file.h"
#include "image/image_file_reader.h"
#include "image/pixel_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CFuzzInputFile file(data, size);
  brimvale::CPixelImage image;
  // Large pictures only cost time in the steps after reading.
  if (image.ReadBmp(file.Path(), 63) && static_cast<uint64_t>(image.Width()) * image.Height() <= 1024 * 1024) {
    brimvale::ConvertToTrueColour(image);
    image.Resize(16, 16);
  }
  return 0;
}
