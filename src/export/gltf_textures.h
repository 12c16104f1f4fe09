// The base-colour images of a glTF export. One image per distinct picture: a
// PNG or JPEG texture without an alpha map goes in as the file's own bytes; a
// texture of another type, or one with its alpha map baked into the fourth
// byte (the mean of the map's three colour bytes), is saved as PNG. Materials
// naming the same maps share the image and its texture, and every texture
// shares one sampler (repeat, linear, mipmapped). Images are named after their
// source files: in a .glb the bytes go into the binary buffer; beside a .gltf
// each is a file "<export>_<source name>".
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>

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
  // embedded: into stream (.glb); else files beside the export named after base.
  CGltfTextureWriter(CGltfDocument& document, CExportTransaction& transaction, CGltfBinaryStream& stream,
                     bool embedded, std::string base)
      : m_Document(document), m_Transaction(transaction), m_Stream(stream), m_bEmbedded(embedded),
        m_strBase(std::move(base)) {}

  struct Result {
    int texture = -1;          // -1: nothing readable, or the write failed (the transaction knows)
    bool translucent = false;  // an alpha map applies or the texture has transparent pixels
    bool unreadable = false;   // neither map could be read
  };

  // The texture of the picture these maps make (either path may be empty):
  // written the first time, the same texture for every later call.
  Result TextureOf(const std::string& texturePath, const std::string& alphaPath);

 private:
  // Adds the image (bytes already in the stream or file at uri) and its texture.
  int AddTexture(GltfJson image);
  // The file's own bytes, cleaned for glTF; -2 when they are better saved afresh.
  int WriteSourceFile(const std::string& path, const std::string& name, const char* mimeType);
  int WritePng(const CPixelImage& image, const std::string& name);
  // A file name beside the export for name, unique within this export.
  std::string TargetFor(const std::string& name, const std::string& extension);
  bool AppendFile(const std::string& path, const std::string& target);

  CGltfDocument& m_Document;
  CExportTransaction& m_Transaction;
  CGltfBinaryStream& m_Stream;
  bool m_bEmbedded;
  std::string m_strBase;
  int m_nSampler = -1;
  std::map<std::pair<std::string, std::string>, Result> m_Written;
  std::set<std::string> m_Targets;
};

}  // namespace brimvale
