#include "export/gltf_image_bytes.h"

#include <cstdint>
#include <cstring>

namespace brimvale {
namespace {

uint32_t BigEndian32(const std::string& bytes, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3]));
}

size_t BigEndian16(const std::string& bytes, size_t at) {
  return static_cast<size_t>(static_cast<uint8_t>(bytes[at])) << 8 | static_cast<uint8_t>(bytes[at + 1]);
}

}  // namespace

bool CleanPngForGltf(std::string& bytes) {
  constexpr size_t kSignature = 8;
  if (bytes.size() < kSignature || std::memcmp(bytes.data(), "\x89PNG\r\n\x1a\n", kSignature) != 0) return false;
  std::string kept = bytes.substr(0, kSignature);
  bool ended = false;
  for (size_t at = kSignature; !ended;) {
    if (bytes.size() - at < 12) return false;
    const uint32_t length = BigEndian32(bytes, at);
    if (length > bytes.size() - at - 12) return false;
    const std::string type = bytes.substr(at + 4, 4);
    const size_t whole = size_t{12} + length;
    if (type == "IHDR" || type == "PLTE" || type == "tRNS" || type == "IDAT" || type == "IEND") {
      kept.append(bytes, at, whole);
    }
    ended = type == "IEND";
    at += whole;
  }
  bytes.swap(kept);
  return true;
}

bool CleanJpegForGltf(std::string& bytes) {
  if (bytes.size() < 4 || static_cast<uint8_t>(bytes[0]) != 0xFF || static_cast<uint8_t>(bytes[1]) != 0xD8) {
    return false;
  }
  std::string kept = bytes.substr(0, 2);
  for (size_t at = 2;;) {
    if (bytes.size() - at < 4 || static_cast<uint8_t>(bytes[at]) != 0xFF) return false;
    const uint8_t marker = static_cast<uint8_t>(bytes[at + 1]);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    const size_t length = BigEndian16(bytes, at + 2);
    if (length < 2 || length > bytes.size() - at - 2) return false;
    const size_t whole = 2 + length;
    if (marker == 0xDA) {  // start of scan: the rest is picture data
      kept.append(bytes, at, std::string::npos);
      break;
    }
    const bool application = marker >= 0xE0 && marker <= 0xEF;
    if (marker == 0xE0 && length >= 14 && bytes.compare(at + 4, 5, std::string("JFIF\0", 5)) == 0) {
      std::string jfif = bytes.substr(at, whole);
      // Units 0 (aspect only), 1:1.
      jfif[11] = 0;
      jfif[12] = 0;
      jfif[13] = 1;
      jfif[14] = 0;
      jfif[15] = 1;
      kept += jfif;
    } else if ((!application || marker == 0xEE) && marker != 0xFE) {
      kept.append(bytes, at, whole);
    }
    at += whole;
  }
  bytes.swap(kept);
  return true;
}

}  // namespace brimvale
