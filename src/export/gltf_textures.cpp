#include "export/gltf_textures.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "export/gltf_image_bytes.h"
#include "foundation/text_decoding.h"
#include "image/codec_bridge.h"
#include "image/image_file_reader.h"

namespace brimvale {
namespace {

constexpr int kGltfLinear = 9729;
constexpr int kGltfLinearMipmapLinear = 9987;
constexpr int kGltfRepeat = 10497;

std::unique_ptr<CPixelImage> ReadTrueColour(const std::string& path) {
  if (path.empty()) return nullptr;
  auto image = std::make_unique<CPixelImage>();
  if (!ReadImageFile(path, *image) || image->IsEmpty() || !ConvertToTrueColour(*image)) return nullptr;
  return image;
}

// WriteSourceFile's answer when the file is better saved as a fresh PNG.
constexpr int kNotCopied = -2;
// Pictures beyond this are saved afresh rather than held whole in memory.
constexpr off_t kMostCopiedBytes = off_t{256} << 20;

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && info.st_size > 0 && info.st_size <= kMostCopiedBytes;
  if (ok) bytes.resize(static_cast<size_t>(info.st_size));
  for (size_t done = 0; ok && done < bytes.size();) {
    const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (got < 0 && errno == EINTR) continue;
    ok = got > 0;
    if (ok) done += static_cast<size_t>(got);
  }
  ::close(fd);
  return ok;
}

std::string NameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string StemOf(const std::string& name) { return std::filesystem::path(name).stem().string(); }

// "image/png" or "image/jpeg" when the file starts like one, else null: only
// those two may go into a glTF as they are.
const char* EmbeddableMimeType(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  unsigned char head[8] = {};
  const ssize_t got = ::read(fd, head, sizeof head);
  ::close(fd);
  if (got == 8 && std::memcmp(head, "\x89PNG\r\n\x1a\n", 8) == 0) return "image/png";
  if (got >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return "image/jpeg";
  return nullptr;
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

CGltfTextureWriter::Result CGltfTextureWriter::TextureOf(const std::string& texturePath,
                                                        const std::string& alphaPath) {
  const auto key = std::make_pair(texturePath, alphaPath);
  const auto known = m_Written.find(key);
  if (known != m_Written.end()) return known->second;
  Result result;
  const auto image = BuildBaseColourImage(texturePath, alphaPath, result.translucent);
  if (!image) {
    result.unreadable = true;
  } else {
    // Names in a model may be Shift-JIS; the JSON needs UTF-8.
    const std::string textureName = DecodeName(NameOf(texturePath), false);
    const std::string alphaName = DecodeName(NameOf(alphaPath), false);
    const char* mimeType = alphaPath.empty() ? EmbeddableMimeType(texturePath) : nullptr;
    result.texture = mimeType != nullptr ? WriteSourceFile(texturePath, textureName, mimeType) : kNotCopied;
    if (result.texture == kNotCopied) {
      const std::string name = texturePath.empty()   ? StemOf(alphaName)
                               : alphaPath.empty()   ? StemOf(textureName)
                                                     : StemOf(textureName) + "+" + StemOf(alphaName);
      result.texture = WritePng(*image, name);
    }
  }
  m_Written.emplace(key, result);
  return result;
}

std::string CGltfTextureWriter::TargetFor(const std::string& name, const std::string& extension) {
  std::string target = m_strBase + "_" + name + extension;
  for (int n = 2; !m_Targets.insert(target).second; ++n) {
    target = m_strBase + "_" + name + "_" + std::to_string(n) + extension;
  }
  return target;
}

int CGltfTextureWriter::AddTexture(GltfJson image) {
  if (m_nSampler < 0) {
    m_nSampler = m_Document.Add("samplers", {{"magFilter", kGltfLinear},
                                             {"minFilter", kGltfLinearMipmapLinear},
                                             {"wrapS", kGltfRepeat},
                                             {"wrapT", kGltfRepeat}});
  }
  const int picture = m_Document.Add("images", std::move(image));
  return m_Document.Add("textures", {{"sampler", m_nSampler}, {"source", picture}});
}

int CGltfTextureWriter::WriteSourceFile(const std::string& path, const std::string& name, const char* mimeType) {
  const bool png = std::strcmp(mimeType, "image/png") == 0;
  std::string bytes;
  if (!ReadWholeFile(path, bytes) || !(png ? CleanPngForGltf(bytes) : CleanJpegForGltf(bytes))) return kNotCopied;
  const std::string stem = StemOf(name);
  if (m_bEmbedded) {
    m_Stream.Align(4);
    const uint64_t start = m_Stream.Size();
    m_Stream.Write(bytes.data(), bytes.size());
    return AddTexture({{"name", stem},
                       {"bufferView", m_Document.AddBufferView(start, m_Stream.Size() - start, 0, 0)},
                       {"mimeType", mimeType}});
  }
  const std::string target = TargetFor(stem, png ? ".png" : ".jpg");
  std::string temporary;
  const int out = m_Transaction.CreateTemporary(target, temporary);
  if (out < 0) return -1;
  const bool written = WriteWhole(out, bytes.data(), bytes.size());
  const int error = errno;
  ::close(out);
  if (!written) {
    m_Transaction.Discard(temporary);
    m_Transaction.Fail(target, DescribeFileError("cannot write", target, error));
    return -1;
  }
  if (!m_Transaction.Complete(temporary, target)) return -1;
  return AddTexture({{"name", stem}, {"uri", GltfUriOf(NameOf(target))}});
}

int CGltfTextureWriter::WritePng(const CPixelImage& image, const std::string& name) {
  const std::string target = TargetFor(name, ".png");
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
    entry = {{"name", name},
             {"bufferView", m_Document.AddBufferView(start, m_Stream.Size() - start, 0, 0)},
             {"mimeType", "image/png"}};
  } else {
    if (!m_Transaction.Complete(temporary, target)) return -1;
    entry = {{"name", name}, {"uri", GltfUriOf(std::filesystem::path(target).filename().string())}};
  }
  return AddTexture(std::move(entry));
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
