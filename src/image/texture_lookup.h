// Turning the image names a model file holds into paths that can be opened,
// and picking a reader by extension. Names come from Windows: they are decoded
// (UTF-8 or Shift-JIS) before '\' becomes '/', both separators split folders,
// letter case is forgiven within a folder, and a drive-letter path that does
// not exist here falls back to its file name in the document's folder.
#pragma once

#include <string>
#include <string_view>

namespace brimvale {

// Codes of the image file types the readers know.
enum ImageFileType : int {
  kImageBmp = 1,
  kImageTga = 2,
  kImagePng = 3,
  kImagePpm = 4,
  kImagePgm = 5,
  kImageJpeg = 8,
  kImageUnknown = -1,
};

// By the last 3 (or, for "jpeg", 4) characters, ignoring ASCII case.
int ImageTypeFromExtension(std::string_view name);

// True for a path of at least 3 characters naming an existing regular file
// with a known image extension.
bool IsUsableTextureFile(const std::string& path);

// The folder part of a document path, up to and including the last '/', '\'
// or ':'; empty when there is none.
std::string DocumentFolder(std::string_view documentPath);

// A model's name as a local path: decoded to UTF-8 (declaredUtf8 as the
// document says), then every '\' turned into '/'.
std::string LocalPathFromName(std::string_view name, bool declaredUtf8);

// The path as spelled when it exists, else the same path with each missing
// component matched ignoring ASCII case within its folder; empty if neither.
std::string FindExistingPath(const std::string& path);

// Where the lookup searches: the document's file and the folder holding
// "Metaseq.ini" (with or without a trailing separator).
struct TextureSearch {
  std::string documentPath;
  std::string metaseqFolder;
  bool utf8Names = false;
};

// The path to open for a colour texture, bump map or alpha map name. Tried in
// order: a drive-letter or absolute name itself; the document's folder plus
// the name; the folder named by "TextureDir=", "BumpDir=" or "AlphaDir=" in
// "Metaseq.ini" plus the name (returned whether or not it exists). An empty
// name gives an empty path.
std::string ResolveTexturePath(std::string_view name, const TextureSearch& search);
std::string ResolveBumpPath(std::string_view name, const TextureSearch& search);
std::string ResolveAlphaPath(std::string_view name, const TextureSearch& search);

// The value of the first line of a "Metaseq.ini" that starts with key
// (case-sensitive), without its line end; empty if none or unreadable.
std::string ReadMetaseqFolderKey(const std::string& iniPath, std::string_view key);

}  // namespace brimvale
