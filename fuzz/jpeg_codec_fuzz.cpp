// The JPEG library's loader on arbitrary bytes, linked directly (unloading a
// library would take its coverage counters away from the fuzzer), writing into
// a pixel image the way the program's bridge does.
#include "fuzz_input_file.h"
#include "image/codec_abi.h"
#include "image/pixel_image.h"

extern "C" int32_t LoadJPG(const char* path, JpegHeaderCallback header, JpegRowCallback row, void* context);

namespace {

int32_t OnHeader(const JpegImageInfo* info, void* context) {
  auto* image = static_cast<brimvale::CPixelImage*>(context);
  // Large pictures cost time without reaching new code.
  if (static_cast<uint64_t>(info->width) * static_cast<uint64_t>(info->height) > 2048 * 2048) return 0;
  return image->Create(info->width, info->height, info->bitsPerPixel) ? 1 : 0;
}

uint8_t* OnRow(int32_t row, void* context) {
  auto* image = static_cast<brimvale::CPixelImage*>(context);
  if (row < 0 || row >= image->Height()) return nullptr;
  return image->Row(row);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CFuzzInputFile file(data, size);
  brimvale::CPixelImage image;
  LoadJPG(file.Path().c_str(), &OnHeader, &OnRow, &image);
  return 0;
}
