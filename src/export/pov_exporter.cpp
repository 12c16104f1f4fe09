// The export driver: the three files in their order, one transaction for all.
#include "export/pov_exporter.h"

#include "document/quorix_doc.h"
#include "foundation/text_utils.h"

namespace brimvale {

const char* PovImageKeyword(int imageType) {
  switch (imageType) {
    case 1: return "bmp";
    case 2: return "tga";
    case 3: return "png";
    case 4: return "ppm";
    case 5: return "pgm";
    case 6: return "gif";
    case 7: return "iff";
    case 8: return "jpeg";
    default: return "";
  }
}

int CPovExporter::ImageTypeOf(const std::string& fileName) {
  if (fileName.size() < 4) return -1;
  const std::string last3 = AsciiLower(fileName.substr(fileName.size() - 3));
  if (last3 == "bmp") return 1;
  if (last3 == "tga") return 2;
  if (last3 == "png") return 3;
  if (last3 == "ppm") return 4;
  if (last3 == "pgm") return 5;
  if (last3 == "jpg") return 8;
  if (AsciiLower(fileName.substr(fileName.size() - 4)) == "jpeg") return 8;
  return -1;
}

int CPovExporter::IsLightObject(const CMeshObject& object) {
  return object.m_strName.compare(0, 6, "Light_") == 0 && object.m_strName.size() >= 6 ? 1 : 0;
}

void CPovExporter::WriteVersion(CExportTextFile& file) const {
  if (m_Doc.m_bMegaPov) {
    file.Printf("#version unofficial MegaPov %0.1f;\n", static_cast<double>(m_Doc.m_fMegaPovVersion));
  } else {
    file.Printf("#version %0.1f;\n", static_cast<double>(m_Doc.m_fPovVersion));
  }
  file.Text("\n");
}

bool CPovExporter::Export(const std::string& povPath) {
  m_strError.clear();
  m_Warnings.clear();
  CExportTransaction transaction;
  const std::string base = CutChars(povPath, 4, false);
  {
    CExportTextFile scene(transaction, povPath);
    WriteSceneFile(scene, base);
    scene.Close();
  }
  if (!transaction.Failed()) {
    CExportTextFile materials(transaction, base + "_mat.inc");
    WriteMaterialIncludeBody(materials, base);
    materials.Close();
  }
  if (!transaction.Failed()) {
    CExportTextFile objects(transaction, base + "_obj.inc");
    WriteObjectIncludeBody(objects);
    objects.Close();
  }
  const bool ok = transaction.Commit();
  if (!ok) m_strError = transaction.Error();
  return ok;
}

}  // namespace brimvale
