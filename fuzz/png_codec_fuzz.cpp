// The PNG library's loader on arbitrary bytes, linked directly (unloading a
// library would take its coverage counters away from the fuzzer), then saving
// what it read.
#include <cstdio>
#include <cstdlib>

#include "fuzz_input_file.h"
#include "image/codec_abi.h"
#include "image/pixel_image.h"

extern "C" int32_t LoadPNG(const char* path, void** header, void** bits, CodecProgressCallback progress,
                           void* context);
extern "C" int32_t SavePNG(const char* path, const void* header, const void* bits, CodecProgressCallback progress,
                           void* context);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CFuzzInputFile file(data, size);
  void* header = nullptr;
  void* bits = nullptr;
  if (LoadPNG(file.Path().c_str(), &header, &bits, nullptr, nullptr) == 0) return 0;
  brimvale::CPixelImage image;
  image.Attach(header, brimvale::MemoryKind::GlobalFixed, bits, brimvale::MemoryKind::GlobalFixed);
  if (image.BitCount() >= 24 && static_cast<uint64_t>(image.Width()) * image.Height() <= 256 * 256) {
    char name[] = "/tmp/png_codec_fuzz_XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) {
      close(fd);
      SavePNG(name, image.Header(), image.Bits(), nullptr, nullptr);
      std::remove(name);
    }
  }
  return 0;
}
