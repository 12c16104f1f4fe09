// Helpers for the export tests: hand-built documents, a scratch folder that is
// also the working directory, and file comparison.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "document/quorix_doc.h"

namespace brimvale::testing {

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteAll(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::filesystem::path GoldenFolder() {
  return std::filesystem::path(BRIMVALE_SOURCE_DIR) / "tests" / "export" / "golden";
}

// A fresh folder under the system's temporary folder that is the working
// directory while the object lives, so exports can use relative paths.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "brimvale-export-XXXXXX").string();
    m_Path = ::mkdtemp(pattern.data());
    m_Previous = std::filesystem::current_path();
    std::filesystem::current_path(m_Path);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::current_path(m_Previous, ignored);
    std::filesystem::permissions(m_Path, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(m_Path, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return m_Path; }
  // Names of every entry in the folder, sorted.
  std::set<std::string> Entries() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_Path)) names.insert(entry.path().filename().string());
    return names;
  }

 private:
  std::filesystem::path m_Path;
  std::filesystem::path m_Previous;
};

inline CMeshObject* AddObject(CQuorixDoc& doc, const std::string& name, const std::vector<CVector3>& positions) {
  CMeshObject* object = doc.AddObject();
  object->m_strName = name;
  object->m_Vertices.SetSize(static_cast<int>(positions.size()));
  for (size_t i = 0; i < positions.size(); ++i) object->m_Vertices.Position(static_cast<int>(i)) = positions[i];
  return object;
}

inline CMeshFace& AddFace(CMeshObject& object, std::initializer_list<int> corners, int material = -1) {
  CMeshFace face;
  face.m_nCorners = static_cast<int>(corners.size());
  int k = 0;
  for (int index : corners) face.m_Index[k++] = index;
  face.m_nMaterial = material;
  std::vector<CMeshFace>& list = face.m_nCorners == 2   ? object.m_Faces.Lines()
                                 : face.m_nCorners == 3 ? object.m_Faces.Triangles()
                                                        : object.m_Faces.Quads();
  list.push_back(face);
  object.m_Faces.PadCornerData(static_cast<FaceList>(face.m_nCorners - 1));
  object.InvalidateTopology();
  return list.back();
}

// The texture coordinates of one face, giving its list UVs when it had none.
inline CVector2* UVsOf(CMeshObject& object, FaceList list, size_t face) {
  object.m_Faces.UVs(list).resize(object.m_Faces.List(list).size());
  return object.m_Faces.UVs(list).at(face).m_UV;
}

inline CMaterial* AddMaterial(CQuorixDoc& doc, const std::string& name, uint32_t colour) {
  CMaterial* material = doc.AddMaterial();
  material->m_strName = name;
  material->m_Color = colour;
  return material;
}

}  // namespace brimvale::testing
