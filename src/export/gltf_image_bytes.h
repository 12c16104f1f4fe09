// A PNG or JPEG file's bytes made fit to go into a glTF as they are: the
// colour-space, density and metadata parts that glTF viewers ignore (and the
// validator warns about) are left out; the picture data itself is untouched.
#pragma once

#include <string>

namespace brimvale {

// Keeps a PNG's IHDR, PLTE, tRNS, IDAT and IEND chunks only. False, with
// bytes unchanged, when they are not a well-formed PNG.
bool CleanPngForGltf(std::string& bytes);

// Drops a JPEG's application segments other than JFIF and Adobe (APP0,
// APP14) and its comments, and makes a JFIF density square (1:1). False,
// with bytes unchanged, when they are not a well-formed JPEG header.
bool CleanJpegForGltf(std::string& bytes);

}  // namespace brimvale
