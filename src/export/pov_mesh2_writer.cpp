// The object include file: the index macro, then one mesh2 and one object
// statement per exported object. Quads become two triangles; per-corner normals
// are written for smooth objects only, texture coordinates always.
#include <algorithm>
#include <memory>
#include <vector>

#include "document/mesh_builder.h"
#include "document/quorix_doc.h"
#include "export/pov_exporter.h"
#include "geometry/frozen_mesh.h"
#include "geometry/parallel_derivation.h"

namespace brimvale {
namespace {

const char* const kMacroLines[] = {
    "//Macro",         "#macro BrimvaleMacro(TriangleNum,QuadsNum)",
    "#local i=0;",     "#local e=0;",
    "#while(i<TriangleNum)", "<e,e+1,e+2>,",
    "#local i=i+1;",   "#local e=e+3;",
    "#end",            "#local i=0;",
    "#while(i<QuadsNum)", "<e,e+1,e+2>,",
    "<e,e+2,e+3>,",    "#local i=i+1;",
    "#local e=e+4;",   "#end",
    "#end",
};

// Writes one value per face corner, all triangle corners and then all quad
// corners, ten to a line; the line counter restarts for the quads.
template <typename WriteCorner>
void WriteCornerRows(CExportTextFile& file, int triangles, int quads, WriteCorner writeCorner) {
  const int groups[2][2] = {{triangles, 3}, {quads, 4}};
  for (int g = 0; g < 2; ++g) {
    if (g == 1) file.Text("\n\t\t");
    const int faces = groups[g][0];
    const int corners = groups[g][1];
    int counter = 0;
    for (int f = 0; f < faces; ++f) {
      for (int k = 0; k < corners; ++k) {
        writeCorner(g, f, k);
        if (++counter % 10 == 0) {
          file.Char('\n');
          if (f != faces - 1 || k != corners - 1) file.Text("\t\t");
        }
      }
    }
  }
}

// Texture 0 of every mesh is the default texture; material m is texture m + 1.
int TextureNumber(int material, int materialCount) {
  return material >= 0 && material < materialCount ? material + 1 : 0;
}

void WriteFaceIndex(CExportTextFile& file, int a, int b, int c, int texture) {
  file.Text("< ");
  file.Int(a);
  file.Text(" , ");
  file.Int(b);
  file.Text(" , ");
  file.Int(c);
  file.Text(" > , ");
  file.Int(texture);
  file.Text(" , ");
}

// "<x,y,z>," with each component in "%0.<decimals>f".
void WriteVectorItem(CExportTextFile& file, const CVector3& v, int decimals) {
  file.Char('<');
  file.Fixed(v.x, decimals);
  file.Char(',');
  file.Fixed(v.y, decimals);
  file.Char(',');
  file.Fixed(v.z, decimals);
  file.Text(">,");
}

}  // namespace

void CPovExporter::WriteObjectIncludeBody(CExportTextFile& file) {
  WriteVersion(file);
  for (const char* line : kMacroLines) {
    file.Text(line);
    file.Char('\n');
  }
  file.Text("\n\n");
  file.Text("//Object\n");
  std::vector<CMeshObject*> written;
  for (const auto& object : m_Doc.m_Objects) {
    if ((!object->m_bVisible && m_Doc.m_bSkipHidden) || (IsLightObject(*object) && m_Doc.m_bLightObjects)) continue;
    written.push_back(object.get());
  }
  // Frozen copies are made a batch at a time, one object per derivation
  // thread, and written in list order; only one batch of copies is held.
  const size_t batch = static_cast<size_t>(DerivationThreads());
  int number = 0;
  for (size_t first = 0; first < written.size(); first += batch) {
    const size_t last = std::min(written.size(), first + batch);
    std::vector<std::unique_ptr<CMeshObject>> copies(last - first);
    std::vector<CMeshObject*> frozen;
    for (size_t i = first; i < last; ++i) {
      if (!HasDerivedGeometry(*written[i])) continue;
      auto& copy = copies[i - first];
      copy = std::make_unique<CMeshObject>();
      CMeshBuilder builder(copy.get());
      builder.CopyGeometryFrom(*written[i]);
      builder.CopyAttributesFrom(*written[i]);
      frozen.push_back(copy.get());
    }
    FreezeInParallel(frozen);
    for (size_t i = first; i < last; ++i) {
      WriteMesh2(file, copies[i - first] ? *copies[i - first] : *written[i], number);
      copies[i - first].reset();
      ++number;
    }
    if (m_Progress && !m_Progress(last, written.size())) {
      file.Transaction().Fail(file.Target(), "cancelled");
      return;
    }
  }
}

void CPovExporter::WriteMesh2(CExportTextFile& file, CMeshObject& object, int number) {
  const int triangleCount = object.TriangleCount();
  const int quadCount = object.QuadCount();
  if (triangleCount + quadCount == 0) return;
  CMeshBuilder builder(&object);
  if (!object.m_bVertexFaceLinksValid) builder.BuildVertexFaceLinks();
  if (object.m_bSmoothShading != 0) builder.ComputeSmoothNormals();
  WriteMesh2Text(file, object, number);
  // The view computes its normals again when it next needs them.
  object.m_Faces.FreeNormals();
}

void CPovExporter::WriteMesh2Text(CExportTextFile& file, const CMeshObject& object, int number) const {
  const int triangleCount = object.TriangleCount();
  const int quadCount = object.QuadCount();
  if (triangleCount + quadCount == 0) return;
  const bool smooth = object.m_bSmoothShading != 0;
  const std::vector<CMeshFace>& triangles = object.m_Faces.Triangles();
  const std::vector<CMeshFace>& quads = object.m_Faces.Quads();
  const int cornerCount = 3 * triangleCount + 4 * quadCount;
  const int faceCount = triangleCount + 2 * quadCount;

  file.Text("#declare obj");
  file.Int(number);
  file.Text("=mesh2{\n");

  // Vertex positions, ten to a line.
  const int vertexCount = object.VertexCount();
  file.Text("\tvertex_vectors{\n\t\t");
  file.Int(vertexCount);
  file.Text("\n\t\t");
  for (int i = 0; i < vertexCount; ++i) {
    WriteVectorItem(file, object.m_Vertices.Position(i), 4);
    if (i != 0 && (i + 1) % 10 == 0) {
      file.Char('\n');
      if (i != vertexCount - 1) file.Text("\t\t");
    }
  }
  file.Text("\n\t}\n");

  if (smooth) {
    // A normal array that does not match the faces (nothing computed) is
    // written as zero normals rather than read out of bounds.
    const CCornerNormals* normals[2] = {&object.m_Faces.m_TriangleCornerNormals,
                                               &object.m_Faces.m_QuadCornerNormals};
    const bool usable[2] = {normals[0]->size() == static_cast<size_t>(triangleCount) * 3,
                            normals[1]->size() == static_cast<size_t>(quadCount) * 4};
    file.Text("\tnormal_vectors{\n\t\t");
    file.Int(cornerCount);
    file.Text("\n\t\t");
    WriteCornerRows(file, triangleCount, quadCount, [&](int group, int face, int corner) {
      const int per = group == 0 ? 3 : 4;
      const CVector3 n =
          usable[group] ? (*normals[group])[static_cast<size_t>(face * per + corner)] : CVector3(0.0f, 0.0f, 0.0f);
      WriteVectorItem(file, n, 3);
    });
    file.Text("\n\t}\n");
  }

  // Texture coordinates: u, and v flipped onto POV-Ray's upward axis.
  file.Text("\tuv_vectors{\n\t\t");
  file.Int(cornerCount);
  file.Text("\n\t\t");
  WriteCornerRows(file, triangleCount, quadCount, [&](int group, int face, int corner) {
    const CVector2& uv = (group == 0 ? triangles : quads)[static_cast<size_t>(face)].m_UV[corner];
    file.Char('<');
    file.Fixed(uv.u, 3);
    file.Char(',');
    file.Fixed(1.0f - uv.v, 3);
    file.Text(">,");
  });
  file.Text("\n\t}\n");

  const int materialCount = m_Doc.MaterialCount();
  file.Text("\ttexture_list{\n\t\t");
  file.Int(materialCount + 1);
  file.Text("\n\t\ttexture{ brimvale_mat_default }\n");
  for (int i = 0; i < materialCount; ++i) {
    file.Text("\t\ttexture{ brimvale_mat_");
    file.Int(i);
    file.Text(" }\n");
  }
  file.Text("\t}\n");

  // Faces: the first line holds triangles 0 to 10, later lines ten each; the
  // first line of quads holds quads 0 to 5, later lines five each.
  file.Text("\tface_indices{\n\t\t");
  file.Int(faceCount);
  file.Text("\n\t\t");
  for (int t = 0; t < triangleCount; ++t) {
    const CMeshFace& face = triangles[static_cast<size_t>(t)];
    WriteFaceIndex(file, face.m_Index[0], face.m_Index[1], face.m_Index[2],
                   TextureNumber(face.m_nMaterial, materialCount));
    if (t != 0 && t % 10 == 0) {
      file.Char('\n');
      if (t != triangleCount - 1) file.Text("\t\t");
    }
  }
  file.Text("\n\t\t");
  for (int q = 0; q < quadCount; ++q) {
    const CMeshFace& face = quads[static_cast<size_t>(q)];
    const int texture = TextureNumber(face.m_nMaterial, materialCount);
    WriteFaceIndex(file, face.m_Index[0], face.m_Index[1], face.m_Index[2], texture);
    WriteFaceIndex(file, face.m_Index[0], face.m_Index[2], face.m_Index[3], texture);
    if (q != 0 && q % 5 == 0) {
      file.Char('\n');
      if (q != quadCount - 1) file.Text("\t\t");
    }
  }
  file.Text("\t}\n");

  if (smooth) {
    file.Text("\tnormal_indices{\n\t\t");
    file.Int(faceCount);
    file.Text("\n\t\tBrimvaleMacro(");
    file.Int(triangleCount);
    file.Char(',');
    file.Int(quadCount);
    file.Text(")\n\t}\n");
  }
  file.Text("\tuv_indices{\n\t\t");
  file.Int(faceCount);
  file.Text("\n\t\tBrimvaleMacro(");
  file.Int(triangleCount);
  file.Char(',');
  file.Int(quadCount);
  file.Text(")\n\t}\n");

  file.Text("\tuv_mapping\n");
  if (object.m_bNoShadow) file.Text("\tno_shadow\n");
  file.Text("}\n\n");
  file.Text("object{ obj");
  file.Int(number);
  file.Text(" }\n\n");
}

}  // namespace brimvale
