// The shipped face path: an object's faces laid out once per derived-geometry
// build as one interleaved corner array (position, normal, texture
// coordinate), grouped in the order the passes draw them, and kept in OpenGL
// buffer objects. Triangle corners that agree in vertex, normal and texture
// coordinate are stored once and drawn through an index list, so each is lit
// once per frame instead of once per face; quad corners are stored in drawing
// order. A frame then draws each group with two calls and copies nothing.
// The groups, corner order and values are those of the specified per-corner
// path, so both give identical pictures.
#pragma once

#include <cstdint>
#include <vector>

#include "mesh/output_mesh.h"

namespace brimvale {

// One corner as drawn.
struct CFaceCorner {
  float position[3];
  float normal[3];
  float texCoord[2];  // (s, t) = the corner's (v, u), as the texture is stored transposed
};

// The faces of one pass: a material index (-1 for the default pass), its
// triangles as a range of the index list and its quads as a range of corners.
struct CFaceGroup {
  int material = -1;
  int firstTriangleCorner = 0;  // into indices
  int triangleCorners = 0;
  int firstQuadCorner = 0;  // into corners
  int quadCorners = 0;
  uint32_t lowestIndex = 0;  // range of the triangle indices, so the driver need not scan them
  uint32_t highestIndex = 0;
  bool coloured = false;  // its material shows the corners' colours
};

struct CFaceBatches {
  std::vector<CFaceCorner> corners;  // the distinct triangle corners
  size_t quadCorners = 0;            // every quad corner, stored after them in drawing order (FillQuadCorners)
  std::vector<uint32_t> indices;     // triangle corners in drawing order, into corners
  std::vector<CFaceGroup> groups;  // the mesh's slots: default pass first, then the materials used, upwards
  // The distinct triangle corners' colours (red in the lowest byte), beside
  // corners; empty when the mesh has none, so other objects pay nothing.
  std::vector<uint32_t> colours;
};

// The faces of an output mesh, with its corner normals (smooth) or face
// normals (flat); one group per slot of the mesh, in its slot order. The
// quad corners are not stored here: a large mesh's would double what the
// view holds, so they are made a part at a time with FillQuadCorners.
void BuildFaceBatches(const COutputMesh& mesh, bool smooth, CFaceBatches& out);

// The quad corners in drawing order, made a piece at a time: each Fill goes
// on where the last one stopped, so a whole mesh is walked once.
class CQuadCornerCursor {
 public:
  explicit CQuadCornerCursor(const COutputMesh& mesh);
  // Writes the next count corners to out and their colours to colours (each
  // may be null to skip them); returns how many there were.
  size_t Fill(bool smooth, size_t count, CFaceCorner* out, uint32_t* colours);

 private:
  template <class Put>
  size_t Walk(size_t count, Put put);

  const COutputMesh& m_Mesh;
  std::vector<size_t> m_PerSlot;
  uint32_t m_nSlot = 0;
  size_t m_nQuad = 0;
  int m_nCorner = 0;
};

// Writes quad corners [first, first + count) of the drawing order (counted
// from the first quad corner) to out.
void FillQuadCorners(const COutputMesh& mesh, bool smooth, size_t first, size_t count, CFaceCorner* out);

// The same range's corner colours, for a mesh that has them.
void FillQuadColours(const COutputMesh& mesh, size_t first, size_t count, uint32_t* out);

}  // namespace brimvale
