// The material include file: the default texture, then for every material a
// pigment, an optional normal, a finish and the texture the meshes refer to.
#include "document/quorix_doc.h"
#include "export/pov_exporter.h"
#include "export/pov_image_conversion.h"

namespace brimvale {
namespace {

double D(float value) { return static_cast<double>(value); }

// A material lit by its own emission. POV-Ray from 3.7 on has `emission`,
// which no global ambient light scales; older versions and MegaPOV get it
// folded into `ambient`, which adds the same light where there is no
// radiosity. A material without emission writes exactly what it always did.
void WriteAmbientAndEmission(CExportTextFile& file, const char* indent, const CMaterial& material, bool emissionKeyword) {
  const float emission = material.m_fEmission;
  if (emission == 0.0f || !emissionKeyword) {
    file.Printf("%sambient %.4f\n", indent, D(emission == 0.0f ? material.m_fAmbient : material.m_fAmbient + emission));
    return;
  }
  file.Printf("%sambient %.4f\n", indent, D(material.m_fAmbient));
  file.Printf("%semission %.4f\n", indent, D(emission));
}

void WriteImageReference(CExportTextFile& file, const char* prefix, int type, const std::string& path) {
  file.Printf("%s%s\t", prefix, PovImageKeyword(type));
  file.Printf("\"%s\"\n", path.c_str());
}

}  // namespace

void CPovExporter::WriteMaterialIncludeBody(CExportTextFile& file, const std::string& base) {
  WriteVersion(file);
  file.Text("//Material\n");
  file.Text("#declare brimvale_mat_default=texture{\n");
  file.Text("\tpigment{rgb 1}\n");
  file.Text("\tfinish{phong 1}\n");
  file.Text("}\n\n");
  for (int i = 0; i < m_Doc.MaterialCount(); ++i) WriteMaterial(file, *m_Doc.Material(i), i, base);
}

void CPovExporter::WriteMaterial(CExportTextFile& file, const CMaterial& material, int index,
                                 const std::string& base) {
  const CPovMaterialMaps maps = PrepareMaterialMaps(m_Doc, material, index, base, file.Transaction(), m_Warnings);
  const double diffuse = D(material.m_fDiffuse) * 0.8;
  const double roughness = material.m_fPower != 0.0f ? 1.0 / D(material.m_fPower) + 0.1 : 0.1;
  const bool specular = material.m_fSpecular != 0.0f;
  const bool emissionKeyword = !m_Doc.m_bMegaPov && m_Doc.m_fPovVersion >= 3.7f;

  file.Printf("//%s\n", material.m_strName.c_str());

  file.Printf("#declare brimvale_mat_pigment_%d = pigment{\n", index);
  if (maps.texture.present) {
    file.Text("\timage_map{\n");
    WriteImageReference(file, "\t\t", maps.texture.type, maps.texture.path);
    file.Text("\t\tinterpolate 2\n");
    file.Text("\t}\n");
  } else {
    file.Printf("\trgbf <%d/255,%d/255,%d/255,%0.4f>\n", static_cast<int>(ColorRed(material.m_Color)),
                static_cast<int>(ColorGreen(material.m_Color)), static_cast<int>(ColorBlue(material.m_Color)),
                1.0 - D(material.m_fAlpha));
  }
  file.Text("}\n\n");

  if (maps.bump.present) {
    file.Printf("#declare brimvale_mat_normal_%d = normal{\n", index);
    file.Text("\tbump_map{\n");
    WriteImageReference(file, "\t\t", maps.bump.type, maps.bump.path);
    file.Text("\t\tinterpolate 2\n");
    file.Text("\t}\n");
    file.Text("}\n\n");
  }

  file.Printf("#declare brimvale_mat_finish_%d = finish{\n", index);
  WriteAmbientAndEmission(file, "\t", material, emissionKeyword);
  file.Printf("\tdiffuse %.4f\n", diffuse);
  if (specular) {
    file.Printf("\tspecular %0.3f\n", D(material.m_fSpecular));
    file.Printf("\troughness %0.3f\n", roughness);
  }
  file.Text("}\n\n");

  file.Printf("#declare brimvale_mat_%d = texture{\n", index);
  if (maps.reflection.present && specular) {
    // 256 textures; the grey level of the reflection image picks the one whose
    // specular is specular x level / 255.
    file.Text("\tmaterial_map{\n");
    WriteImageReference(file, "\t\t", maps.reflection.type, maps.reflection.path);
    file.Text("\t\tinterpolate 2\n");
    file.Text("\t\t#declare time=0;\n");
    file.Text("\t\t#while(time<256)\n");
    file.Text("\t\t\ttexture{\n");
    file.Printf("\t\t\t\tpigment{ brimvale_mat_pigment_%d }\n", index);
    if (maps.bump.present) file.Printf("\t\t\t\tnormal { brimvale_mat_normal_%d  }\n", index);
    file.Text("\t\t\t\tfinish {\n");
    WriteAmbientAndEmission(file, "\t\t\t\t\t", material, emissionKeyword);
    file.Printf("\t\t\t\t\tdiffuse %.4f\n", diffuse);
    file.Printf("\t\t\t\t\tspecular %0.3f * time/255\n", D(material.m_fSpecular));
    file.Printf("\t\t\t\t\troughness %0.3f\n", roughness);
    file.Text("\t\t\t\t}\n\n");
    file.Text("\t\t\t}\n");
    file.Text("\t\t\t#declare time=time+1;\n");
    file.Text("\t\t#end\n");
    file.Text("\t}\n");
    file.Text("}\n");
  } else {
    file.Printf("\tpigment{ brimvale_mat_pigment_%d }\n", index);
    if (maps.bump.present) file.Printf("\tnormal { brimvale_mat_normal_%d  }\n", index);
    file.Printf("\tfinish { brimvale_mat_finish_%d  }\n", index);
    file.Text("}\n");
  }
  file.Text("\n");
}

}  // namespace brimvale
