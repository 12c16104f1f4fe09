// The background picture: loading a file into the document's CBackImage
// (512 x 512 red-green-blue cells) and drawing it as a billboard at its
// distance along the camera's line of sight.
#pragma once

#include <string>

#include "document/display_settings.h"
#include "document/scene.h"

namespace brimvale {

// File kind from the extension, compared in lower case: "bmp" 1, "tga" 2,
// "png" 3, "ppm" 4, "pgm" 5, "jpg" or "jpeg" 8; -1 for anything else and for
// a path shorter than four characters.
int ImageTypeOf(const std::string& path);

// Frees the previous picture, then reads m_strFile. Cell (row i, column j) is
// the image's pixel at x = i, y = j after scaling to 512 x 512; cells outside
// the image are white. Palette, grey and 16-bit pictures are brought to
// true colour first. Returns whether a picture is loaded.
bool LoadBackImage(CBackImage& back);

// Draws the picture when it is shown and loaded; needs a current context and
// the frame's model-view matrix.
void DrawBackImage(const CBackImage& back, const CScene& camera);

}  // namespace brimvale
