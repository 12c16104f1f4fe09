// Element counts of the mesh the view draws for an object: its derived
// geometry after the whole chain, or the object itself when no stage applies.
#pragma once

namespace brimvale {

class CMeshObject;
struct CDisplaySettings;

struct CDerivedCounts {
  int vertices = 0;
  int lines = 0;
  int triangles = 0;
  int quads = 0;
};

// Builds the object's derived geometry first when it has none (with the given
// display settings, or the defaults when null).
CDerivedCounts DerivedCounts(CMeshObject& object, const CDisplaySettings* display = nullptr);

}  // namespace brimvale
