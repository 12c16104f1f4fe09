#include "cli/gltf_export.h"

#include <cstdio>

#include "cli/command_registry.h"
#include "document/quorix_doc.h"
#include "export/gltf_exporter.h"

namespace brimvale::cli {

int WriteGltfExport(CQuorixDoc& doc, const std::string& output, float scale, bool unusedMaterials) {
  CGltfExportOptions options;
  options.scale = scale;
  options.includeHidden = doc.m_bSkipHidden == 0;
  options.includeUnusedMaterials = unusedMaterials;
  CGltfExporter exporter(doc, options);
  const bool written = exporter.Export(output);
  for (const std::string& warning : exporter.Warnings()) std::fprintf(stderr, "warning: %s\n", warning.c_str());
  if (!written) {
    std::fprintf(stderr, "brimvale-cli export: %s\nNo file was changed.\n", exporter.Error().c_str());
    return kExitFailure;
  }
  std::printf("wrote %s (%llu triangles)\n", output.c_str(), static_cast<unsigned long long>(exporter.TriangleCount()));
  return kExitOk;
}

}  // namespace brimvale::cli
