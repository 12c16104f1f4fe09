// libtesspng.so: PNG files to and from device-independent bitmap blocks over
// libpng. Palette, grey, 16-bit and interlaced files are expanded: pictures
// with an alpha channel (or a transparency chunk) become 32-bit with opacity
// in the fourth byte, grey ones 8-bit with a grey colour table, all others
// 24-bit; rows are stored bottom-up. Writing uses libpng's simplified interface.
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "image/codec_abi.h"
#include "image/dib_header.h"

namespace {

using brimvale::BITMAPINFOHEADER;

// The same limit the program's own readers apply.
constexpr uint64_t kMaxPixels = uint64_t{1} << 28;

uint64_t StrideOf(uint64_t width, int bits) {
  return ((width * static_cast<uint64_t>(bits) + 31) & ~uint64_t{31}) / 8;
}

bool GoOn(CodecProgressCallback progress, void* context, float fraction) {
  return progress == nullptr || progress(fraction, context) != 0;
}

bool SizeAccepted(uint64_t width, uint64_t height) {
  return width > 0 && height > 0 && width * height <= kMaxPixels;
}

[[noreturn]] void OnError(png_structp png, png_const_charp) {
  std::longjmp(*static_cast<std::jmp_buf*>(png_get_error_ptr(png)), 1);
}

void OnWarning(png_structp, png_const_charp) {}

// The DIB header block for a picture of the given size and depth; 8-bit
// pictures get a grey colour table.
uint8_t* NewHeaderBlock(png_uint_32 width, png_uint_32 height, int bits, uint64_t stride) {
  const int colours = bits == 8 ? 256 : 0;
  auto* header = static_cast<uint8_t*>(std::malloc(40 + 4 * static_cast<size_t>(colours)));
  if (header == nullptr) return nullptr;
  BITMAPINFOHEADER info;
  std::memset(&info, 0, sizeof info);
  info.biSize = 40;
  info.biWidth = static_cast<int32_t>(width);
  info.biHeight = static_cast<int32_t>(height);  // bottom-up
  info.biPlanes = 1;
  info.biBitCount = static_cast<uint16_t>(bits);
  info.biSizeImage = static_cast<uint32_t>(stride * height);
  info.biClrUsed = static_cast<uint32_t>(colours);
  std::memcpy(header, &info, sizeof info);
  for (int i = 0; i < colours; ++i) {
    uint8_t* entry = header + 40 + 4 * i;
    entry[0] = entry[1] = entry[2] = static_cast<uint8_t>(i);
    entry[3] = 0;
  }
  return header;
}

// libpng allocates a chunk's declared length before it reads the chunk, so a
// length that the file cannot hold is refused here first.
bool ChunksFitInFile(std::FILE* file) {
  struct stat info {};
  if (fstat(fileno(file), &info) != 0 || info.st_size < 8) return false;
  const auto size = static_cast<uint64_t>(info.st_size);
  uint64_t at = 8;
  uint8_t chunk[8];
  while (at + 12 <= size) {
    if (fseeko(file, static_cast<off_t>(at), SEEK_SET) != 0 || std::fread(chunk, 1, 8, file) != 8) return false;
    const uint64_t length = (uint64_t{chunk[0]} << 24) | (uint64_t{chunk[1]} << 16) | (uint64_t{chunk[2]} << 8) | chunk[3];
    if (at + 12 + length > size) return false;
    if (std::memcmp(chunk + 4, "IEND", 4) == 0) break;
    at += 12 + length;
  }
  return fseeko(file, 0, SEEK_SET) == 0;
}

// Reads with libpng's full interface, row by row (with progress reports).
int32_t Decode(std::FILE* file, void** headerOut, void** bitsOut, CodecProgressCallback progress, void* context) {
  std::jmp_buf jump;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &jump, OnError, OnWarning);
  if (png == nullptr) return 0;
  png_infop info = png_create_info_struct(png);
  uint8_t* volatile header = nullptr;
  uint8_t* volatile pixels = nullptr;
  if (setjmp(jump) != 0) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::free(header);
    std::free(pixels);
    return 0;
  }
  if (info == nullptr) png_error(png, "no memory");
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
  png_init_io(png, file);
  png_read_info(png, info);

  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  const int colourType = png_get_color_type(png, info);
  if (!SizeAccepted(width, height) || !GoOn(progress, context, 0.0f)) png_error(png, "refused");
  const bool hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  const bool grey = (colourType & PNG_COLOR_MASK_COLOR) == 0;
  // Everything becomes 8 bits a sample: grey, blue-green-red or
  // blue-green-red-alpha.
  png_set_expand(png);  // palette to colour, low-depth grey to 8 bits, transparency chunk to alpha
  png_set_scale_16(png);
  if (grey && hasAlpha) png_set_gray_to_rgb(png);
  if (!grey || hasAlpha) png_set_bgr(png);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);

  const int bits = hasAlpha ? 32 : grey ? 8 : 24;
  const uint64_t stride = StrideOf(width, bits);
  if (png_get_rowbytes(png, info) > stride || png_get_channels(png, info) != bits / 8) png_error(png, "layout");
  header = NewHeaderBlock(width, height, bits, stride);
  pixels = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(stride * height)));
  if (header == nullptr || pixels == nullptr) png_error(png, "no memory");
  const double rowsInAll = static_cast<double>(passes) * height;
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < height; ++y) {
      const double done = (static_cast<double>(pass) * height + y) / rowsInAll;
      if (!GoOn(progress, context, static_cast<float>(done))) png_error(png, "stopped");
      png_read_row(png, pixels + static_cast<size_t>(height - 1 - y) * stride, nullptr);  // bottom-up
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  *headerOut = header;
  *bitsOut = pixels;
  return 1;
}

int32_t Load(const char* path, void** headerOut, void** bitsOut, CodecProgressCallback progress, void* context) {
  if (path == nullptr || headerOut == nullptr || bitsOut == nullptr) return 0;
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return 0;
  const int32_t result = ChunksFitInFile(file) ? Decode(file, headerOut, bitsOut, progress, context) : 0;
  std::fclose(file);
  return result;
}

int32_t Save(const char* path, const void* headerBlock, const void* bitsBlock, CodecProgressCallback progress,
             void* context) {
  if (path == nullptr || headerBlock == nullptr || bitsBlock == nullptr) return 0;
  BITMAPINFOHEADER info;
  std::memcpy(&info, headerBlock, sizeof info);
  if (info.biSize < 40 || (info.biBitCount != 24 && info.biBitCount != 32) || info.biWidth <= 0 ||
      info.biHeight == 0 || info.biHeight == INT32_MIN) {
    return 0;
  }
  const uint64_t height = static_cast<uint64_t>(info.biHeight < 0 ? -int64_t{info.biHeight} : info.biHeight);
  if (!SizeAccepted(static_cast<uint64_t>(info.biWidth), height) || !GoOn(progress, context, 0.0f)) return 0;
  const uint64_t stride = StrideOf(static_cast<uint64_t>(info.biWidth), info.biBitCount);

  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(info.biWidth);
  png.height = static_cast<png_uint_32>(height);
  png.format = info.biBitCount == 32 ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
  const png_int_32 rowStride = info.biHeight > 0 ? -static_cast<png_int_32>(stride) : static_cast<png_int_32>(stride);

  // Written beside the target and renamed over it, so a failure never leaves
  // a half-written file.
  std::string temporary = std::string(path) + ".XXXXXX";
  std::vector<char> name(temporary.begin(), temporary.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) return 0;
  fchmod(fd, 0644);
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    close(fd);
    unlink(name.data());
    return 0;
  }
  const bool written = png_image_write_to_stdio(&png, file, 0, bitsBlock, rowStride, nullptr) != 0;
  png_image_free(&png);
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed || std::rename(name.data(), path) != 0) {
    unlink(name.data());
    return 0;
  }
  return 1;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int32_t LoadPNG(const char* path, void** header, void** bits,
                                                       CodecProgressCallback progress, void* context) {
  return Load(path, header, bits, progress, context);
}

__attribute__((visibility("default"))) int32_t SavePNG(const char* path, const void* header, const void* bits,
                                                       CodecProgressCallback progress, void* context) {
  return Save(path, header, bits, progress, context);
}

}  // extern "C"
