// The scene file: version line, background colour, camera, lights, background
// image plane and the include lines.
#include <cmath>
#include <filesystem>
#include <numbers>

#include "document/quorix_doc.h"
#include "export/pov_exporter.h"
#include "export/pov_image_conversion.h"
#include "scene/camera.h"

namespace brimvale {
namespace {

double D(float value) { return static_cast<double>(value); }
int Byte(uint32_t value) { return static_cast<int>(value); }

}  // namespace

void CPovExporter::WriteSceneFile(CExportTextFile& file, const std::string& base) {
  WriteVersion(file);

  file.Text("//background color\n");
  file.Printf("background{rgb <%d/255,%d/255,%d/255>}\n\n", Byte(ColorRed(m_Doc.m_crBackground)),
              Byte(ColorGreen(m_Doc.m_crBackground)), Byte(ColorBlue(m_Doc.m_crBackground)));

  WriteCamera(file);

  if (m_Doc.m_bDefaultLights) {
    file.Text("//deault-light\n");
    for (const CVector3& light : m_Doc.m_vDefaultLight) {
      file.Printf("light_source{<%0.3f,%0.3f,%0.3f> rgb 1}\n", D(light.x), D(light.y), D(light.z));
    }
    file.Text("\n\n");
  }

  if (m_Doc.m_bLightObjects) {
    file.Text("//object-light\n");
    for (const auto& object : m_Doc.m_Objects) WriteObjectLight(&file, *object);
    file.Text("\n\n");
  }

  if (m_Doc.m_BackImage.m_bShow) {
    file.Text("//background image\n");
    WriteBackgroundImage(file, base);
  }

  file.Printf("#include \"%s\"\n", (base + "_mat.inc").c_str());
  file.Printf("#include \"%s\"\n", (base + "_obj.inc").c_str());
  if (m_Doc.m_bUseInclude && !m_Doc.m_strIncludeFile.empty()) {
    file.Printf("#include \"%s\"\n", m_Doc.m_strIncludeFile.c_str());
  }
}

void CPovExporter::WriteCamera(CExportTextFile& file) const {
  const CScene& scene = m_Doc.m_Scene;
  file.Text("camera{\n");
  // POV-Ray takes the camera type only as the first item of the block.
  if (scene.m_bPerspective == 0) file.Text("\torthographic\n");
  file.Printf("\tlocation < %0.3f, %0.3f, %0.3f >\n", D(scene.m_vPosition.x), D(scene.m_vPosition.y),
              D(scene.m_vPosition.z));
  file.Printf("\tlook_at < %0.3f, %0.3f, %0.3f >\n", D(scene.m_vLookAt.x), D(scene.m_vLookAt.y),
              D(scene.m_vLookAt.z));
  file.Printf("\tangle %0.3f\n", D(scene.m_fAngle));
  file.Text("}\n\n");
}

void CPovExporter::WriteObjectLight(CExportTextFile* file, const CMeshObject& object) const {
  if (file == nullptr || !IsLightObject(object)) return;
  CVector3 low(0.0f, 0.0f, 0.0f);
  CVector3 high(0.0f, 0.0f, 0.0f);
  const int count = object.VertexCount();
  for (int i = 0; i < count; ++i) {
    const CVector3& p = object.m_Vertices.Position(i);
    low = i == 0 ? p : Min(low, p);
    high = i == 0 ? p : Max(high, p);
  }
  file->Printf("//%s\n", object.m_strName.c_str());
  file->Printf("light_source{<%.4f,%.4f,%.4f> rgb <%d/255,%d/255,%d/255>}\n", D((low.x + high.x) * 0.5f),
               D((low.y + high.y) * 0.5f), D((low.z + high.z) * 0.5f), Byte(ColorRed(object.m_Color)),
               Byte(ColorGreen(object.m_Color)), Byte(ColorBlue(object.m_Color)));
}

void CPovExporter::WriteBackgroundImage(CExportTextFile& file, const std::string& base) {
  const CBackImage& back = m_Doc.m_BackImage;
  int type = ImageTypeOf(back.m_strFile);
  std::string name = back.m_strFile;
  if (m_Doc.m_bMegaPov && type == 8) {
    const std::string converted = base + "_bg" + ".png";
    if (ConvertJpegToPng(back.m_strFile, converted, file.Transaction())) {
      name = converted;
      type = 3;
    }
  }
  if (type == -1) {
    m_Warnings.push_back(back.m_strFile.empty() ? std::string("the background image is on but names no file")
                                                : "background image " + back.m_strFile +
                                                      " is not an image type the export knows; left out");
    return;
  }
  if (type == ImageTypeOf(back.m_strFile) && !std::filesystem::exists(back.m_strFile)) {
    m_Warnings.push_back("background image " + back.m_strFile + " not found; the renderer will stop on it");
  }
  file.Text("plane{-z,0.0\n");
  file.Text("\tpigment{\n");
  file.Text("\t\timage_map{\n");
  file.Printf("\t\t\t%s\t", PovImageKeyword(type));
  file.Printf("\"%s\" map_type 0\n", name.c_str());
  file.Text("\t\t\tinterpolate 2\n");
  file.Text("\t\t}\n");
  file.Text("\t\ttranslate <-0.5,-0.5,0.0>\n");
  file.Text("\t\tscale 2.1\n");
  file.Text("\t}\n");
  file.Text("\tfinish{\n");
  file.Text("\t\tambient 1\n");
  file.Text("\t\tdiffuse 0\n");
  file.Text("\t}\n");
  file.Text("\tno_shadow\n");
  file.Text("\thollow\n");
  const CScene& scene = m_Doc.m_Scene;
  const double halfWidth = std::tan(D(scene.m_fAngle) / 2.0 * std::numbers::pi / 180.0) * D(back.m_fDistance);
  file.Printf("\tscale <%0.3f,%0.3f,1.0>\n", halfWidth, halfWidth * kFrameHeightUnits / kFrameWidthUnits);
  file.Printf("\ttranslate <0.0,0.0,%0.3f>\n", D(back.m_fDistance));
  const CVector3 direction = Subtract(scene.m_vLookAt, scene.m_vPosition);
  file.Printf("\trotate <%0.3f,%0.3f,0.0>\n", D(direction.PitchAngle()), D(direction.HeadAngle()));
  file.Printf("\ttranslate <%0.3f,%0.3f,%0.3f>\n", D(scene.m_vPosition.x), D(scene.m_vPosition.y),
              D(scene.m_vPosition.z));
  file.Text("}\n\n");
}

}  // namespace brimvale
