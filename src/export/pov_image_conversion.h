// The images an export converts to PNG: a JPEG background picture for MegaPOV,
// and a material's baked pigment, JPEG bump map and grey reflection map. Each
// PNG goes through the export's transaction, so it replaces an existing file of
// the same name only when the whole export succeeds.
#pragma once

#include <string>
#include <vector>

#include "export/export_transaction.h"
#include "export/pov_material_paths.h"

namespace brimvale {

class CQuorixDoc;
class CMaterial;

// Reads the JPEG at source and writes it as a PNG to target. False when the
// JPEG cannot be read (nothing is recorded, the caller falls back) or when the
// PNG cannot be written (the transaction records why).
bool ConvertJpegToPng(const std::string& source, const std::string& target, CExportTransaction& transaction);

// What the material include file says about one material's maps after the
// conversions: whether each is present, its image type and the path written.
struct CPovMaterialMaps {
  CPovMapFile texture;  // the pigment image (as resolved, or baked)
  CPovMapFile bump;
  CPovMapFile reflection;
};

// Resolves the material's maps and converts what the renderer cannot take as
// it is (bake, bump and reflection conversion), writing base + "_pig" + i +
// ".png" and the like. A map named but not usable adds a line to warnings.
CPovMaterialMaps PrepareMaterialMaps(CQuorixDoc& doc, const CMaterial& material, int index,
                                     const std::string& base, CExportTransaction& transaction,
                                     std::vector<std::string>& warnings);

}  // namespace brimvale
