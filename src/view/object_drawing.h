// Drawing one object of the document: its vertices as points and its edges as
// lines in the wire colour, then the faces of its derived geometry (built on
// first use and cached on the object), first those without a material and
// then one pass per material used.
#pragma once

namespace brimvale {

class CMeshObject;
class CQuorixDoc;
class CViewGlCache;

// Draws `object` with the document's display settings and materials into the
// current context, inside the frame's model-view matrix. With a cache the
// faces come from buffer objects built once per derived geometry (the shipped
// path); without one every corner is sent with its own normal and texture
// coordinate (the reference path). Both give the same picture.
void DrawObject(CQuorixDoc& doc, CMeshObject& object, CViewGlCache* cache);

}  // namespace brimvale
