// Reading any image file the program knows, choosing the reader by the file
// name's extension, and bringing palette, grey and 16-bit pictures to 24 bits.
#pragma once

#include <string>

#include "image/pixel_image.h"

namespace brimvale {

// Reads path with the reader its extension names (BMP with every depth),
// without progress reports. False for an unknown extension or a failed read.
bool ReadImageFile(const std::string& path, CPixelImage& image);

// Turns a 1-, 4-, 8- or 16-bit image into a 24-bit one with the same size and
// storage order; palette indices beyond the colour table become black. 24-
// and 32-bit images are left as they are. False only when allocation fails.
bool ConvertToTrueColour(CPixelImage& image);

}  // namespace brimvale
