#include "export/gltf_document.h"

namespace brimvale {

CGltfDocument::CGltfDocument() {
  m_Root["asset"] = {{"version", "2.0"}, {"generator", "Brimvale"}};
  m_Root["scene"] = 0;
}

int CGltfDocument::Add(const char* array, GltfJson entry) {
  GltfJson& list = m_Root[array];
  if (!list.is_array()) list = GltfJson::array();
  list.push_back(std::move(entry));
  return static_cast<int>(list.size()) - 1;
}

int CGltfDocument::Count(const char* array) const {
  const auto found = m_Root.find(array);
  return found == m_Root.end() ? 0 : static_cast<int>(found->size());
}

GltfJson& CGltfDocument::Entries(const char* array) {
  GltfJson& list = m_Root[array];
  if (!list.is_array()) list = GltfJson::array();
  return list;
}

int CGltfDocument::AddBufferView(uint64_t offset, uint64_t length, int stride, int target) {
  GltfJson view = {{"buffer", 0}, {"byteOffset", offset}, {"byteLength", length}};
  if (stride != 0) view["byteStride"] = stride;
  if (target != 0) view["target"] = target;
  return Add("bufferViews", std::move(view));
}

int CGltfDocument::AddAccessor(int bufferView, uint64_t offset, int componentType, uint64_t count,
                               const char* type, bool normalized) {
  GltfJson accessor = {{"bufferView", bufferView}, {"componentType", componentType}, {"count", count}, {"type", type}};
  if (offset != 0) accessor["byteOffset"] = offset;
  if (normalized) accessor["normalized"] = true;
  return Add("accessors", std::move(accessor));
}

void CGltfDocument::SetBounds(int accessor, const float low[3], const float high[3]) {
  GltfJson& entry = m_Root["accessors"][static_cast<size_t>(accessor)];
  entry["min"] = {low[0], low[1], low[2]};
  entry["max"] = {high[0], high[1], high[2]};
}

std::string CGltfDocument::Text(uint64_t bufferLength, const std::string& bufferUri) const {
  GltfJson root = m_Root;
  if (bufferLength > 0) {
    GltfJson buffer = {{"byteLength", bufferLength}};
    if (!bufferUri.empty()) buffer["uri"] = bufferUri;
    root["buffers"] = GltfJson::array({buffer});
  }
  // Names come decoded; anything still not UTF-8 is replaced, never thrown on.
  return root.dump(-1, ' ', false, GltfJson::error_handler_t::replace);
}

std::string GltfUriOf(const std::string& fileName) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string uri;
  for (const char c : fileName) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~';
    if (plain) {
      uri += c;
    } else {
      uri += '%';
      uri += kHex[byte >> 4];
      uri += kHex[byte & 15];
    }
  }
  return uri;
}

}  // namespace brimvale
