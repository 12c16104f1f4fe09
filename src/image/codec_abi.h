/* The C interface of the two sibling codec libraries, libtessjpg.so (LoadJPG)
   and libtesspng.so (LoadPNG, SavePNG). Results are 32-bit integers, non-zero
   for success. Blocks handed out by LoadPNG are malloc-family and belong to
   the caller afterwards. */
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* What LoadJPG's header callback learns before any row: an 8-bit grey
   picture comes with a colour table of colourCount entries (blue, green, red,
   reserved). */
typedef struct JpegImageInfo {
  int32_t width;
  int32_t height;
  int32_t bitsPerPixel; /* 8 or 24 */
  int32_t colourCount;
  const uint8_t* colourTable;
} JpegImageInfo;

/* Non-zero to go on. */
typedef int32_t (*JpegHeaderCallback)(const JpegImageInfo* info, void* context);
/* Where picture row `row` (from the top) goes, in the image's layout; null stops. */
typedef uint8_t* (*JpegRowCallback)(int32_t row, void* context);
/* Non-zero to go on. */
typedef int32_t (*CodecProgressCallback)(float fraction, void* context);

typedef int32_t (*LoadJPGFunction)(const char* path, JpegHeaderCallback header, JpegRowCallback row,
                                   void* context);
/* On success *header holds a BITMAPINFOHEADER with its colour table and *bits
   the pixel rows (8-bit grey, 24-bit or 32-bit with opacity in the fourth byte). */
typedef int32_t (*LoadPNGFunction)(const char* path, void** header, void** bits,
                                   CodecProgressCallback progress, void* context);
/* Writes a 24-bit or 32-bit picture; the fourth byte of a 32-bit pixel becomes
   the PNG alpha. */
typedef int32_t (*SavePNGFunction)(const char* path, const void* header, const void* bits,
                                   CodecProgressCallback progress, void* context);

#ifdef __cplusplus
}
#endif
