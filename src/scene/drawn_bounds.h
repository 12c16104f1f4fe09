// What the view draws, as points: the corners of the faces of each visible
// object's derived geometry (lathe, mirror, patch and deformers applied) and,
// while vertices or edges are shown, the object's own vertices. The camera fit
// and the depth range of the frame measure the model through it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

#include "foundation/vector3.h"

namespace brimvale {

class CMeshObject;
class CQuorixDoc;

// An axis-aligned box in double precision; empty until a point is added.
struct CDrawnBox {
  bool empty = true;
  double lo[3] = {0.0, 0.0, 0.0};
  double hi[3] = {0.0, 0.0, 0.0};

  void Add(const CVector3& p);
  void Add(const CDrawnBox& other);
  double Centre(int axis) const { return (lo[axis] + hi[axis]) / 2.0; }
  // Half the diagonal.
  double Radius() const;
};

// Calls visit once for each drawn point of one object (nothing for a hidden
// object or one without vertices), building its derived geometry when it has
// none. Points that are not finite numbers are left out.
void ForEachDrawnPoint(CQuorixDoc& doc, CMeshObject& object,
                       const std::function<void(const CVector3&)>& visit);
// The same for every object of the document.
void ForEachDrawnPoint(CQuorixDoc& doc, const std::function<void(const CVector3&)>& visit);

CDrawnBox DrawnBox(CQuorixDoc& doc);

// The drawn box of a document, measured again only for objects whose derived
// geometry was rebuilt since the last call: the view asks for it every frame.
class CDrawnBoxCache {
 public:
  CDrawnBox Box(CQuorixDoc& doc);

 private:
  struct CEntry {
    uint64_t derivedId = 0;
    CDrawnBox box;  // of the face corners
  };
  std::map<uint64_t, CEntry> m_Objects;  // by object instance
};

}  // namespace brimvale
