// JPEG and PNG through the sibling libraries libtessjpg.so and libtesspng.so,
// loaded by name from the program's library folder (ProgramLibraryFolder: the
// executable's folder in the build tree) for each call and unloaded
// before returning. A missing library or export gives false.
#pragma once

#include <string>

#include "image/pixel_image.h"
#include "image/progress_callback.h"

namespace brimvale {

// The image is created by the library's header report (24-bit colour or 8-bit
// grey, bottom-up); a failure before that leaves the image as it was.
bool LoadJpeg(const std::string& path, CPixelImage& image, ProgressCallback progress, uint32_t userValue);
// The image adopts the library's blocks; on failure it is not touched.
bool LoadPng(const std::string& path, CPixelImage& image, ProgressCallback progress, uint32_t userValue);
// Writes a 24-bit or 32-bit image; nothing is left at path on failure.
bool SavePng(const std::string& path, const CPixelImage& image, ProgressCallback progress, uint32_t userValue);

// The folder the libraries are loaded from (ProgramLibraryFolder unless set,
// for programs that live elsewhere); an empty text restores the default.
void SetCodecFolder(const std::string& folder);
std::string CodecFolder();

}  // namespace brimvale
