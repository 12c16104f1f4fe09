// The free image readers: TGA, PPM and PGM. Each takes (path, image, optional
// progress callback, user value) and returns true when the whole picture was
// read. A failure after the image was created leaves the part read so far.
#pragma once

#include <string>

#include "image/pixel_image.h"
#include "image/progress_callback.h"

namespace brimvale {

// TGA types 1 and 9 (colour-mapped, at most 256 24-bit entries, every index
// inside the map), 2 and 10 (16, 24 or 32 bits) and 3 (grey). The fourth byte
// of a 32-bit pixel is the file's alpha as stored (255 opaque).
bool ReadTga(const std::string& path, CPixelImage& image, ProgressCallback progress, uint32_t userValue);

// Netpbm "P6", "P3", "P5" and "P2": 24-bit colour or 8-bit grey with a grey
// colour table, first file row at the top. The maximum value is not applied:
// samples are bytes, text samples keep their low 8 bits.
bool ReadPnm(const std::string& path, CPixelImage& image, ProgressCallback progress, uint32_t userValue);
bool ReadPgm(const std::string& path, CPixelImage& image, ProgressCallback progress, uint32_t userValue);

}  // namespace brimvale
