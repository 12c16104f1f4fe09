// Reading a .glb back for the tests: the JSON chunk parsed, the BIN chunk as
// bytes, and accessor elements as numbers.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "export_test_support.h"

namespace brimvale::testing {

struct Glb {
  nlohmann::json json;
  std::string bin;

  // Element i of an accessor as floats (any component type).
  std::vector<double> Element(int accessor, size_t i) const {
    const auto& a = json["accessors"][static_cast<size_t>(accessor)];
    const auto& view = json["bufferViews"][a["bufferView"].get<size_t>()];
    const int type = a["componentType"];
    const size_t size = type == 5121 ? 1 : type == 5123 ? 2 : 4;
    const std::string shape = a["type"];
    const size_t components = shape == "SCALAR" ? 1 : shape == "VEC2" ? 2 : shape == "VEC4" ? 4 : 3;
    const size_t stride = view.value("byteStride", size * components);
    size_t at = view.value("byteOffset", size_t{0}) + a.value("byteOffset", size_t{0}) + i * stride;
    std::vector<double> out;
    for (size_t c = 0; c < components; ++c, at += size) {
      if (type == 5126) {
        float f;
        std::memcpy(&f, bin.data() + at, 4);
        out.push_back(static_cast<double>(f));
      } else if (type == 5121) {
        out.push_back(static_cast<unsigned char>(bin[at]));
      } else if (type == 5123) {
        uint16_t v;
        std::memcpy(&v, bin.data() + at, 2);
        out.push_back(v);
      } else {
        uint32_t v;
        std::memcpy(&v, bin.data() + at, 4);
        out.push_back(v);
      }
    }
    return out;
  }
};

// Empty json when the file is not a well-formed .glb.
inline Glb ReadGlb(const std::filesystem::path& path) {
  Glb glb;
  const std::string bytes = ReadAll(path);
  auto word = [&](size_t at) {
    uint32_t v = 0;
    if (at + 4 <= bytes.size()) std::memcpy(&v, bytes.data() + at, 4);
    return v;
  };
  if (bytes.size() < 20 || word(0) != 0x46546C67 || word(4) != 2 || word(8) != bytes.size()) return glb;
  const uint32_t jsonLength = word(12);
  if (word(16) != 0x4E4F534A || 20 + size_t{jsonLength} > bytes.size()) return glb;
  glb.json = nlohmann::json::parse(bytes.substr(20, jsonLength));
  const size_t binAt = 20 + size_t{jsonLength};
  if (binAt + 8 <= bytes.size() && word(binAt + 4) == 0x004E4942) glb.bin = bytes.substr(binAt + 8, word(binAt));
  return glb;
}

}  // namespace brimvale::testing
