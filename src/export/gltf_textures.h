// The base-colour images of a glTF export: a material's colour texture at its
// own size with the alpha map baked into the fourth byte (the mean of its three
// colour bytes), saved as PNG. In a .glb the PNG goes into the binary buffer;
// beside a .gltf it is a file of its own, named after the export.
#pragma once

#include <memory>
#include <string>

#include "export/export_transaction.h"
#include "export/gltf_binary_stream.h"
#include "export/gltf_document.h"
#include "image/pixel_image.h"

namespace brimvale {

// The picture for the texture and alpha map paths (either may be empty); null
// when neither can be read. translucent tells whether an alpha map applies or
// any pixel of the texture is less than opaque.
std::unique_ptr<CPixelImage> BuildBaseColourImage(const std::string& texturePath, const std::string& alphaPath,
                                                  bool& translucent);

class CGltfTextureWriter {
 public:
  // embedded: into stream (.glb); else PNG files named base + "_tex<n>.png".
  CGltfTextureWriter(CGltfDocument& document, CExportTransaction& transaction, CGltfBinaryStream& stream,
                     bool embedded, std::string base)
      : m_Document(document), m_Transaction(transaction), m_Stream(stream), m_bEmbedded(embedded),
        m_strBase(std::move(base)) {}

  // Saves the image and adds image and texture entries; the texture index, or
  // -1 when the PNG could not be written (the transaction knows why).
  int Add(const CPixelImage& image);

 private:
  bool AppendFile(const std::string& path, const std::string& target);

  CGltfDocument& m_Document;
  CExportTransaction& m_Transaction;
  CGltfBinaryStream& m_Stream;
  bool m_bEmbedded;
  std::string m_strBase;
  int m_nWritten = 0;
};

}  // namespace brimvale
