#include "export/gltf_textures.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "image/codec_bridge.h"
#include "image/image_file_reader.h"

namespace brimvale {
namespace {

std::unique_ptr<CPixelImage> ReadTrueColour(const std::string& path) {
  if (path.empty()) return nullptr;
  auto image = std::make_unique<CPixelImage>();
  if (!ReadImageFile(path, *image) || image->IsEmpty() || !ConvertToTrueColour(*image)) return nullptr;
  return image;
}

}  // namespace

std::unique_ptr<CPixelImage> BuildBaseColourImage(const std::string& texturePath, const std::string& alphaPath,
                                                  bool& translucent) {
  std::unique_ptr<CPixelImage> texture = ReadTrueColour(texturePath);
  std::unique_ptr<CPixelImage> alphaMap = ReadTrueColour(alphaPath);
  translucent = alphaMap != nullptr;
  if (!texture && !alphaMap) return nullptr;
  const CPixelImage& sizeSource = texture ? *texture : *alphaMap;
  const int width = sizeSource.Width();
  const int height = sizeSource.Height();
  const bool textureAlpha = texture && texture->BitCount() == 32;
  if (texture && !alphaMap && !textureAlpha) return texture;  // opaque: saved as it is
  if (alphaMap && !alphaMap->Resize(width, height)) return nullptr;
  auto out = std::make_unique<CPixelImage>();
  if (!out->Create(width, height, 32)) return nullptr;
  const int textureBytes = texture ? texture->BitCount() / 8 : 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* pixel = out->PixelAddress(x, y);
      const uint8_t* source = texture ? texture->PixelAddress(x, y) : nullptr;
      for (int c = 0; c < 3; ++c) pixel[c] = source ? source[c] : 255;  // the colour factor tints white
      uint8_t alpha = textureBytes == 4 ? source[3] : 255;
      if (alphaMap) {
        const uint8_t* a = alphaMap->PixelAddress(x, y);
        alpha = static_cast<uint8_t>((a[0] + a[1] + a[2]) / 3);
      }
      pixel[3] = alpha;
      if (alpha < 255) translucent = true;
    }
  }
  return out;
}

int CGltfTextureWriter::Add(const CPixelImage& image) {
  const std::string target = m_strBase + "_tex" + std::to_string(m_nWritten++) + ".png";
  std::string temporary;
  const int fd = m_Transaction.CreateTemporary(target, temporary);
  if (fd < 0) return -1;
  ::close(fd);
  if (!SavePng(temporary, image, nullptr, 0)) {
    m_Transaction.Discard(temporary);
    m_Transaction.Fail(target, "cannot write " + target + ": the PNG library could not save it");
    return -1;
  }
  GltfJson entry;
  if (m_bEmbedded) {
    m_Stream.Align(4);
    const uint64_t start = m_Stream.Size();
    const bool copied = AppendFile(temporary, target);
    m_Transaction.Discard(temporary);
    if (!copied) return -1;
    entry = {{"bufferView", m_Document.AddBufferView(start, m_Stream.Size() - start, 0, 0)},
             {"mimeType", "image/png"}};
  } else {
    if (!m_Transaction.Complete(temporary, target)) return -1;
    entry = {{"uri", GltfUriOf(std::filesystem::path(target).filename().string())}};
  }
  const int picture = m_Document.Add("images", std::move(entry));
  return m_Document.Add("textures", {{"source", picture}});
}

bool CGltfTextureWriter::AppendFile(const std::string& path, const std::string& target) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    m_Transaction.Fail(target, DescribeFileError("cannot read back", target, errno));
    return false;
  }
  std::vector<unsigned char> buffer(size_t{1} << 16);
  for (;;) {
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) m_Transaction.Fail(target, DescribeFileError("cannot read back", target, errno));
    if (got <= 0) break;
    m_Stream.Write(buffer.data(), static_cast<size_t>(got));
  }
  ::close(fd);
  return !m_Transaction.Failed();
}

}  // namespace brimvale
