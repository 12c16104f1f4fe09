#include "image/texture_lookup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "foundation/text_decoding.h"
#include "foundation/text_utils.h"

namespace brimvale {
namespace {

bool Exists(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

// The entry of folder whose name equals wanted ignoring ASCII case; empty if none.
std::string MatchInFolder(const std::string& folder, const std::string& wanted) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return std::string();
  const std::string lowered = AsciiLower(wanted);
  std::string match;
  while (const dirent* entry = ::readdir(dir)) {
    if (AsciiLower(entry->d_name) == lowered) {
      match = entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return match;
}

std::string Resolve(std::string_view name, const TextureSearch& search, std::string_view key) {
  if (name.empty()) return std::string();
  const std::string local = LocalPathFromName(name, search.utf8Names);
  const bool documentExists = Exists(search.documentPath);
  const std::string documentFolder = DocumentFolder(search.documentPath);

  if (local.size() >= 2 && local[1] == ':') {
    const std::string found = FindExistingPath(local);
    if (!found.empty()) return found;
    if (documentExists) {
      const std::string besideDocument = FindExistingPath(documentFolder + std::filesystem::path(local).filename().string());
      if (!besideDocument.empty()) return besideDocument;
    }
    return local;
  }
  if (!local.empty() && local[0] == '/') {
    const std::string found = FindExistingPath(local);
    return found.empty() ? local : found;
  }
  if (documentExists) {
    const std::string found = FindExistingPath(documentFolder + local);
    if (!found.empty()) return found;
  }

  std::string folder = LocalPathFromName(search.metaseqFolder, search.utf8Names);
  if (!folder.empty() && folder.back() != '/') folder += '/';
  const std::string ini = FindExistingPath(folder + "Metaseq.ini");
  if (ini.empty()) return local;
  const std::string textureFolder = LocalPathFromName(ReadMetaseqFolderKey(ini, key), false);
  const std::string candidate = textureFolder + local;
  const std::string found = FindExistingPath(candidate);
  return found.empty() ? candidate : found;
}

}  // namespace

int ImageTypeFromExtension(std::string_view name) {
  if (name.size() < 3) return kImageUnknown;
  const std::string last3 = AsciiLower(name.substr(name.size() - 3));
  if (last3 == "bmp") return kImageBmp;
  if (last3 == "tga") return kImageTga;
  if (last3 == "png") return kImagePng;
  if (last3 == "ppm") return kImagePpm;
  if (last3 == "pgm") return kImagePgm;
  if (last3 == "jpg") return kImageJpeg;
  if (name.size() >= 4 && AsciiLower(name.substr(name.size() - 4)) == "jpeg") return kImageJpeg;
  return kImageUnknown;
}

bool IsUsableTextureFile(const std::string& path) {
  if (path.size() < 3) return false;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  return ImageTypeFromExtension(path) != kImageUnknown;
}

std::string DocumentFolder(std::string_view documentPath) {
  const size_t at = documentPath.find_last_of("/\\:");
  if (at == std::string_view::npos) return std::string();
  return std::string(documentPath.substr(0, at + 1));
}

std::string LocalPathFromName(std::string_view name, bool declaredUtf8) {
  // Decoding first: in Shift-JIS, byte 0x5C can be the second byte of a character.
  std::string local = DecodeName(name, declaredUtf8);
  for (char& c : local) {
    if (c == '\\') c = '/';
  }
  return local;
}

std::string FindExistingPath(const std::string& path) {
  if (path.empty()) return std::string();
  if (Exists(path)) return path;
  std::string built = path[0] == '/' ? "/" : "";
  size_t start = path[0] == '/' ? 1 : 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;  // doubled or trailing separator
    std::string next = built + part;
    if (!Exists(next)) {
      const std::string match = MatchInFolder(built, part);
      if (match.empty()) return std::string();
      next = built + match;
    }
    built = end < path.size() ? next + "/" : next;
  }
  return Exists(built) ? built : std::string();
}

std::string ReadMetaseqFolderKey(const std::string& iniPath, std::string_view key) {
  std::FILE* file = std::fopen(iniPath.c_str(), "r");
  if (file == nullptr) return std::string();
  std::vector<char> line(1000);
  std::string value;
  while (std::fgets(line.data(), static_cast<int>(line.size()), file) != nullptr) {
    const std::string_view text(line.data());
    if (text.substr(0, key.size()) != key) continue;
    value = std::string(text.substr(key.size()));
    // Files written on Windows end their lines with "\r\n".
    if (!value.empty() && value.back() == '\n') value.pop_back();
    if (!value.empty() && value.back() == '\r') value.pop_back();
    break;
  }
  std::fclose(file);
  return value;
}

std::string ResolveTexturePath(std::string_view name, const TextureSearch& search) {
  return Resolve(name, search, "TextureDir=");
}

std::string ResolveBumpPath(std::string_view name, const TextureSearch& search) {
  return Resolve(name, search, "BumpDir=");
}

std::string ResolveAlphaPath(std::string_view name, const TextureSearch& search) {
  return Resolve(name, search, "AlphaDir=");
}

}  // namespace brimvale
