// Helpers for the image tests: a scratch folder that cleans itself up, files
// written from bytes, and little-endian byte builders for hand-made headers.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace brimvale::testing {

using Bytes = std::vector<uint8_t>;

class CScratchFolder {
 public:
  CScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "brimvale-image-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) m_Path = pattern;
  }
  ~CScratchFolder() {
    std::error_code ignored;
    if (!m_Path.empty()) std::filesystem::remove_all(m_Path, ignored);
  }
  CScratchFolder(const CScratchFolder&) = delete;
  CScratchFolder& operator=(const CScratchFolder&) = delete;

  // The folder with a trailing '/'.
  std::string Folder() const { return m_Path + "/"; }
  std::string File(const std::string& name) const { return Folder() + name; }
  std::string Write(const std::string& name, const Bytes& bytes) const {
    const std::string path = File(name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  std::string WriteText(const std::string& name, const std::string& text) const {
    return Write(name, Bytes(text.begin(), text.end()));
  }

 private:
  std::string m_Path;
};

inline void Put8(Bytes& b, unsigned v) { b.push_back(static_cast<uint8_t>(v)); }
inline void Put16(Bytes& b, unsigned v) {
  Put8(b, v & 0xFF);
  Put8(b, (v >> 8) & 0xFF);
}
inline void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
inline void Append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

inline Bytes ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string SourceFile(const std::string& relative) { return std::string(BRIMVALE_SOURCE_DIR "/") + relative; }

}  // namespace brimvale::testing
