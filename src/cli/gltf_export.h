// The glTF branch of brimvale-cli export: the model already read, written as
// .glb or .gltf with the POV-Ray export's exit statuses.
#pragma once

#include <string>

namespace brimvale {
class CQuorixDoc;
}

namespace brimvale::cli {

int WriteGltfExport(CQuorixDoc& doc, const std::string& output, float scale, bool unusedMaterials);

}  // namespace brimvale::cli
