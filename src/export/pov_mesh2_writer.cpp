// The object include file: the index macro, then one mesh2 and one object
// statement per exported object. Quads become two triangles; per-corner normals
// are written for smooth objects only, texture coordinates always. Faces that
// show corner colours name three textures, one a corner, which POV-Ray blends
// across the face: each is the material's texture under a filter of the
// corner's colour, declared once per material and colour before the mesh.
#include <cstdint>
#include <map>
#include <vector>

#include "document/quorix_doc.h"
#include "export/pov_exporter.h"
#include "mesh/output_mesh_builder.h"

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

void WriteFaceIndex(CExportTextFile& file, int a, int b, int c, const int textures[3]) {
  WriteFaceIndex(file, a, b, c, textures[0]);
  for (int i = 1; i < 3; ++i) {
    file.Int(textures[i]);
    file.Text(" , ");
  }
}

// The textures of the (material, colour) pairs that coloured faces use, in
// the order they are first met; numbered after the material textures.
class CColourTextures {
 public:
  CColourTextures(const COutputMesh& mesh, int materialCount) : m_nFirst(materialCount + 1) {
    Collect(mesh, mesh.triangles, 3);
    Collect(mesh, mesh.quads, 4);
  }

  int Count() const { return static_cast<int>(m_Pairs.size()); }
  // Texture number of a face's corner, for a face of a coloured slot.
  int Number(int material, uint32_t colour) const { return m_Numbers.at(Key(material, colour)); }

  void WriteDeclarations(CExportTextFile& file, int object) const {
    for (size_t i = 0; i < m_Pairs.size(); ++i) {
      const uint32_t colour = m_Pairs[i].second;
      file.Printf(
          "#declare brimvale_obj%d_colour_%d=texture{ brimvale_mat_%d } texture{ pigment{ rgbf "
          "<%d/255,%d/255,%d/255,1> } }\n",
          object, static_cast<int>(i), m_Pairs[i].first, static_cast<int>(colour & 0xFFu),
          static_cast<int>((colour >> 8) & 0xFFu), static_cast<int>((colour >> 16) & 0xFFu));
    }
    file.Char('\n');
  }

  void WriteList(CExportTextFile& file, int object) const {
    for (size_t i = 0; i < m_Pairs.size(); ++i)
      file.Printf("\t\ttexture{ brimvale_obj%d_colour_%d }\n", object, static_cast<int>(i));
  }

 private:
  static uint64_t Key(int material, uint32_t colour) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(material)) << 32) | colour;
  }
  void Collect(const COutputMesh& mesh, const COutputFaces& faces, size_t k) {
    if (!faces.HasColours()) return;
    for (size_t f = 0; f < faces.faceSlots.size(); ++f) {
      const uint32_t slot = faces.faceSlots[f];
      if (!mesh.SlotColoured(slot)) continue;
      const int material = mesh.SlotMaterial(slot);
      for (size_t c = 0; c < k; ++c) {
        const uint32_t colour = faces.colours[k * f + c];
        if (m_Numbers.emplace(Key(material, colour), m_nFirst + Count()).second)
          m_Pairs.emplace_back(material, colour);
      }
    }
  }

  int m_nFirst;
  std::map<uint64_t, int> m_Numbers;
  std::vector<std::pair<int, uint32_t>> m_Pairs;
};

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
  std::vector<const CMeshObject*> written;
  for (const auto& object : m_Doc.m_Objects) {
    if ((!object->m_bVisible && m_Doc.m_bSkipHidden) || (IsLightObject(*object) && m_Doc.m_bLightObjects)) continue;
    written.push_back(object.get());
  }
  // The file writes texture coordinates for every face, textured or not.
  const COutputMeshOptions options = OutputMeshOptionsFor(m_Doc, nullptr, true);
  const bool complete = ForEachOutputMesh(
      written, options,
      [&](size_t i, const COutputMesh& mesh) {
        WriteMesh2Text(file, mesh, *written[i], static_cast<int>(i));
        return true;
      },
      m_Progress);
  if (!complete) file.Transaction().Fail(file.Target(), "cancelled");
}

void CPovExporter::WriteMesh2Text(CExportTextFile& file, const COutputMesh& mesh, const CMeshObject& object,
                                  int number) const {
  const int triangleCount = static_cast<int>(mesh.TriangleCount());
  const int quadCount = static_cast<int>(mesh.QuadCount());
  if (triangleCount + quadCount == 0) return;
  const bool smooth = object.m_bSmoothShading != 0;
  const int cornerCount = 3 * triangleCount + 4 * quadCount;
  const int faceCount = triangleCount + 2 * quadCount;
  const int materialCount = m_Doc.MaterialCount();
  const CColourTextures colourTextures(mesh, materialCount);
  if (colourTextures.Count() > 0) colourTextures.WriteDeclarations(file, number);

  file.Text("#declare obj");
  file.Int(number);
  file.Text("=mesh2{\n");

  // Vertex positions, ten to a line.
  const int vertexCount = static_cast<int>(mesh.positions.size());
  file.Text("\tvertex_vectors{\n\t\t");
  file.Int(vertexCount);
  file.Text("\n\t\t");
  for (int i = 0; i < vertexCount; ++i) {
    WriteVectorItem(file, mesh.positions[static_cast<size_t>(i)], 4);
    if (i != 0 && (i + 1) % 10 == 0) {
      file.Char('\n');
      if (i != vertexCount - 1) file.Text("\t\t");
    }
  }
  file.Text("\n\t}\n");

  if (smooth) {
    file.Text("\tnormal_vectors{\n\t\t");
    file.Int(cornerCount);
    file.Text("\n\t\t");
    WriteCornerRows(file, triangleCount, quadCount, [&](int group, int face, int corner) {
      const int per = group == 0 ? 3 : 4;
      const CCornerNormals& normals = (group == 0 ? mesh.triangles : mesh.quads).cornerNormals;
      WriteVectorItem(file, normals[static_cast<size_t>(face * per + corner)], 3);
    });
    file.Text("\n\t}\n");
  }

  // Texture coordinates: u, and v flipped onto POV-Ray's upward axis.
  file.Text("\tuv_vectors{\n\t\t");
  file.Int(cornerCount);
  file.Text("\n\t\t");
  const CVector2 noUV;
  WriteCornerRows(file, triangleCount, quadCount, [&](int group, int face, int corner) {
    const COutputFaces& faces = group == 0 ? mesh.triangles : mesh.quads;
    const size_t at = static_cast<size_t>(face * (group == 0 ? 3 : 4) + corner);
    const CVector2& uv = faces.HasUVs() ? faces.uvs[at] : noUV;
    file.Char('<');
    file.Fixed(uv.u, 3);
    file.Char(',');
    file.Fixed(1.0f - uv.v, 3);
    file.Text(">,");
  });
  file.Text("\n\t}\n");

  file.Text("\ttexture_list{\n\t\t");
  file.Int(materialCount + 1 + colourTextures.Count());
  file.Text("\n\t\ttexture{ brimvale_mat_default }\n");
  for (int i = 0; i < materialCount; ++i) {
    file.Text("\t\ttexture{ brimvale_mat_");
    file.Int(i);
    file.Text(" }\n");
  }
  colourTextures.WriteList(file, number);
  file.Text("\t}\n");

  // Faces: the first line holds triangles 0 to 10, later lines ten each; the
  // first line of quads holds quads 0 to 5, later lines five each.
  file.Text("\tface_indices{\n\t\t");
  file.Int(faceCount);
  file.Text("\n\t\t");
  const auto corner = [](const COutputFaces& faces, size_t at) { return static_cast<int>(faces.corners[at]); };
  // The corner textures of a coloured face, or false for one texture a face.
  const auto cornerTextures = [&](const COutputFaces& faces, size_t k, size_t f, int out[4]) {
    const uint32_t slot = faces.faceSlots[f];
    if (!faces.HasColours() || !mesh.SlotColoured(slot)) return false;
    for (size_t c = 0; c < k; ++c)
      out[c] = colourTextures.Number(mesh.SlotMaterial(slot), faces.colours[k * f + c]);
    return true;
  };
  int textures[4];
  for (int t = 0; t < triangleCount; ++t) {
    const auto f = static_cast<size_t>(t);
    const COutputFaces& tris = mesh.triangles;
    if (cornerTextures(tris, 3, f, textures))
      WriteFaceIndex(file, corner(tris, 3 * f), corner(tris, 3 * f + 1), corner(tris, 3 * f + 2), textures);
    else
      WriteFaceIndex(file, corner(tris, 3 * f), corner(tris, 3 * f + 1), corner(tris, 3 * f + 2),
                     TextureNumber(mesh.SlotMaterial(tris.faceSlots[f]), materialCount));
    if (t != 0 && t % 10 == 0) {
      file.Char('\n');
      if (t != triangleCount - 1) file.Text("\t\t");
    }
  }
  file.Text("\n\t\t");
  for (int q = 0; q < quadCount; ++q) {
    const auto f = static_cast<size_t>(q);
    const COutputFaces& quads = mesh.quads;
    if (cornerTextures(quads, 4, f, textures)) {
      const int first[3] = {textures[0], textures[1], textures[2]};
      const int second[3] = {textures[0], textures[2], textures[3]};
      WriteFaceIndex(file, corner(quads, 4 * f), corner(quads, 4 * f + 1), corner(quads, 4 * f + 2), first);
      WriteFaceIndex(file, corner(quads, 4 * f), corner(quads, 4 * f + 2), corner(quads, 4 * f + 3), second);
    } else {
      const int texture = TextureNumber(mesh.SlotMaterial(quads.faceSlots[f]), materialCount);
      WriteFaceIndex(file, corner(quads, 4 * f), corner(quads, 4 * f + 1), corner(quads, 4 * f + 2), texture);
      WriteFaceIndex(file, corner(quads, 4 * f), corner(quads, 4 * f + 2), corner(quads, 4 * f + 3), texture);
    }
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
