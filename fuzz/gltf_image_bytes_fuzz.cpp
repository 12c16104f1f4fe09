// The PNG and JPEG cleaners of the glTF export on arbitrary bytes: whatever
// they keep must still start as the picture type did, and never grow.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "export/gltf_image_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::string png = input;
  if (brimvale::CleanPngForGltf(png) && (png.size() > input.size() || png.compare(0, 8, input, 0, 8) != 0)) std::abort();
  std::string jpeg = input;
  if (brimvale::CleanJpegForGltf(jpeg) && (jpeg.size() > input.size() || jpeg.compare(0, 2, input, 0, 2) != 0)) {
    std::abort();
  }
  return 0;
}
