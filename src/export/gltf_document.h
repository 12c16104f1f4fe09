// The JSON part of a glTF 2.0 export: the arrays of the top-level object,
// filled in the order the writer produces them, and the finished text with
// the one buffer that holds every binary byte.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace brimvale {

using GltfJson = nlohmann::ordered_json;

// Component types and buffer-view targets of the format.
inline constexpr int kGltfUnsignedByte = 5121;
inline constexpr int kGltfUnsignedShort = 5123;
inline constexpr int kGltfUnsignedInt = 5125;
inline constexpr int kGltfFloat = 5126;
inline constexpr int kGltfArrayBuffer = 34962;
inline constexpr int kGltfElementArrayBuffer = 34963;

class CGltfDocument {
 public:
  CGltfDocument();

  // Each returns the index of the new entry. A stride or target of 0 is left out.
  int AddBufferView(uint64_t offset, uint64_t length, int stride, int target);
  // normalized: integers read as fractions of their largest value.
  int AddAccessor(int bufferView, uint64_t offset, int componentType, uint64_t count, const char* type,
                  bool normalized = false);
  // Sets min and max of a three-component accessor.
  void SetBounds(int accessor, const float low[3], const float high[3]);
  int Add(const char* array, GltfJson entry);
  int Count(const char* array) const;
  // The entries of one array, for a pass that renumbers references (an empty
  // array when there are none yet).
  GltfJson& Entries(const char* array);

  // The whole document; bufferUri is empty for the .glb's own BIN chunk.
  std::string Text(uint64_t bufferLength, const std::string& bufferUri) const;

 private:
  GltfJson m_Root;
};

// A file name as a relative URI: everything but unreserved characters
// percent-encoded.
std::string GltfUriOf(const std::string& fileName);

}  // namespace brimvale
