// libtessjpg.so: JPEG files into the caller's rows, over libjpeg-turbo. Grey
// pictures come out as 8-bit rows with a grey colour table, everything else
// (colour, CMYK and YCCK) as 24-bit blue-green-red rows. A truncated file is a
// failure rather than a picture padded with grey.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

#include "image/codec_abi.h"

namespace {

// The same limit the program's own readers apply.
constexpr uint64_t kMaxPixels = uint64_t{1} << 28;
// Beyond this much working memory (progressive coefficient buffers) the
// decoder gives up instead of exhausting the machine.
constexpr long kMaxWorkingMemory = 512L * 1024 * 1024;
// Progressive files with more scans than this are hostile.
constexpr int kMaxScans = 1000;

struct ErrorManager {
  jpeg_error_mgr pub;
  jmp_buf jump;
};

[[noreturn]] void Fail(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) Fail(cinfo);
}

void Silent(j_common_ptr) {}

void CheckScans(j_common_ptr cinfo) {
  if (cinfo->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) {
    Fail(cinfo);
  }
}

// CMYK as Adobe writes it (inverted, 255 = no ink) or plain.
void CmykToBgr(const uint8_t* cmyk, uint8_t* bgr, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x) {
    unsigned c = cmyk[4 * x], m = cmyk[4 * x + 1], y = cmyk[4 * x + 2], k = cmyk[4 * x + 3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    bgr[3 * x + 0] = static_cast<uint8_t>(y * k / 255);
    bgr[3 * x + 1] = static_cast<uint8_t>(m * k / 255);
    bgr[3 * x + 2] = static_cast<uint8_t>(c * k / 255);
  }
}

struct GreyTable {
  uint8_t entries[256 * 4];
  GreyTable() {
    for (int i = 0; i < 256; ++i) {
      entries[4 * i] = entries[4 * i + 1] = entries[4 * i + 2] = static_cast<uint8_t>(i);
      entries[4 * i + 3] = 0;
    }
  }
};

int32_t Decode(std::FILE* file, JpegHeaderCallback header, JpegRowCallback rowFor, void* context) {
  static const GreyTable grey;
  jpeg_decompress_struct cinfo;
  ErrorManager errors;
  jpeg_progress_mgr progress;
  uint8_t* volatile scratch = nullptr;
  cinfo.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = Fail;
  errors.pub.emit_message = OnMessage;
  errors.pub.output_message = Silent;
  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_decompress(&cinfo);
    std::free(scratch);
    return 0;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = kMaxWorkingMemory;
  progress.progress_monitor = CheckScans;
  cinfo.progress = &progress;
  jpeg_stdio_src(&cinfo, file);
  jpeg_read_header(&cinfo, TRUE);
  if (static_cast<uint64_t>(cinfo.image_width) * cinfo.image_height > kMaxPixels) Fail(reinterpret_cast<j_common_ptr>(&cinfo));

  bool cmyk = false;
  int bits = 24;
  switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
      cinfo.out_color_space = JCS_GRAYSCALE;
      bits = 8;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      cinfo.out_color_space = JCS_CMYK;
      cmyk = true;
      break;
    default:
      cinfo.out_color_space = JCS_EXT_BGR;
      break;
  }
  jpeg_start_decompress(&cinfo);
  const JpegImageInfo info{static_cast<int32_t>(cinfo.output_width), static_cast<int32_t>(cinfo.output_height), bits,
                           bits == 8 ? 256 : 0, bits == 8 ? grey.entries : nullptr};
  if (header == nullptr || header(&info, context) == 0) Fail(reinterpret_cast<j_common_ptr>(&cinfo));
  if (cmyk) {
    scratch = static_cast<uint8_t*>(std::malloc(4 * static_cast<size_t>(cinfo.output_width)));
    if (scratch == nullptr) Fail(reinterpret_cast<j_common_ptr>(&cinfo));
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    uint8_t* row = rowFor(static_cast<int32_t>(cinfo.output_scanline), context);
    if (row == nullptr) Fail(reinterpret_cast<j_common_ptr>(&cinfo));
    JSAMPROW target = cmyk ? scratch : row;
    if (jpeg_read_scanlines(&cinfo, &target, 1) != 1) Fail(reinterpret_cast<j_common_ptr>(&cinfo));
    if (cmyk) CmykToBgr(scratch, row, cinfo.output_width, cinfo.saw_Adobe_marker != 0);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  std::free(scratch);
  return 1;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t LoadJPG(const char* path, JpegHeaderCallback header,
                                                                  JpegRowCallback row, void* context) {
  if (path == nullptr || row == nullptr) return 0;
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return 0;
  const int32_t result = Decode(file, header, row, context);
  std::fclose(file);
  return result;
}
