// The document's own deformers (Bend, Twist, Taper and the neutral base) and
// the hook that makes every new CQuorixDoc create them. The document cannot
// name the deform layer, so each front end calls InstallDeformers() once,
// before it constructs a document.
#pragma once

#include <memory>
#include <vector>

#include "deform/bend_deformer.h"
#include "deform/taper_deformer.h"
#include "deform/twist_deformer.h"
#include "document/quorix_doc.h"

namespace brimvale {

// Bend, Twist, Taper and a neutral CDeformer, in that order, all default.
std::vector<std::unique_ptr<CDeformer>> MakeDocumentDeformers();

// Registers MakeDocumentDeformers as the document's deformer factory.
void InstallDeformers();

// The document's deformer of one kind; null when the document has none
// (for instance a document made before InstallDeformers ran).
CBendDeformer* DocumentBend(const CQuorixDoc& doc);
CTwistDeformer* DocumentTwist(const CQuorixDoc& doc);
CTaperDeformer* DocumentTaper(const CQuorixDoc& doc);

// The first deformer of a list whose TypeName is kind ("Bend", "Taper",
// "Twist"), or null.
CDeformer* FindDeformerOfKind(const std::vector<std::unique_ptr<CDeformer>>& deformers, const char* kind);

}  // namespace brimvale
