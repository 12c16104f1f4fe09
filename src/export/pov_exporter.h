// The POV-Ray / MegaPOV export: the scene file (.pov), the material include
// file (_mat.inc), the object include file (_obj.inc) and the PNG images
// converted for them, all written next to the scene file. The exporter reads
// the document and keeps no state between runs; it never writes into it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "export/export_text_file.h"
#include "export/export_transaction.h"

namespace brimvale {

class CQuorixDoc;
class CMeshObject;
class CMaterial;
class COutputMesh;

// Image type codes of texture and background files, and the POV-Ray keyword
// written in front of each. A BMP is written as "bmp": POV-Ray on Linux has no
// "sys" file type.
const char* PovImageKeyword(int imageType);

class CPovExporter {
 public:
  explicit CPovExporter(CQuorixDoc& doc) : m_Doc(doc) {}
  CPovExporter(const CPovExporter&) = delete;
  CPovExporter& operator=(const CPovExporter&) = delete;

  // Writes the whole export for the scene path povPath. The base path B is
  // povPath without its last four characters (whatever they are). Either every
  // file is replaced, or none is: on failure Error() names the file and the
  // reason, existing files are kept and no temporary file is left.
  bool Export(const std::string& povPath);
  const std::string& Error() const { return m_strError; }
  // Maps that a material names but that could not be used (missing file,
  // unknown type, unreadable image): the export goes on without them.
  const std::vector<std::string>& Warnings() const { return m_Warnings; }
  // Told after each object written (done of total); false cancels the export,
  // which then fails with Error() "cancelled" and writes nothing.
  void SetProgress(std::function<bool(size_t done, size_t total)> progress) { m_Progress = std::move(progress); }

  // The pieces of the three files.
  void WriteVersion(CExportTextFile& file) const;
  void WriteCamera(CExportTextFile& file) const;
  void WriteObjectLight(CExportTextFile* file, const CMeshObject& object) const;
  static int IsLightObject(const CMeshObject& object);
  void WriteMaterial(CExportTextFile& file, const CMaterial& material, int index, const std::string& base);
  // One object's mesh2 and object statements, from its output mesh (built
  // with texture coordinates on every face); `object` gives the shading and
  // shadow settings.
  void WriteMesh2Text(CExportTextFile& file, const COutputMesh& mesh, const CMeshObject& object, int number) const;

  // The image type of a background picture from its extension: the codes of
  // ImageTypeFromExtension, but -1 for a name shorter than four characters.
  static int ImageTypeOf(const std::string& fileName);

 private:
  void WriteSceneFile(CExportTextFile& file, const std::string& base);
  void WriteBackgroundImage(CExportTextFile& file, const std::string& base);
  void WriteMaterialIncludeBody(CExportTextFile& file, const std::string& base);
  void WriteObjectIncludeBody(CExportTextFile& file);

  CQuorixDoc& m_Doc;
  std::string m_strError;
  std::vector<std::string> m_Warnings;
  std::function<bool(size_t, size_t)> m_Progress;
};

}  // namespace brimvale
