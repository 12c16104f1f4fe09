// The two glTF containers: a .glb (12-byte header, the JSON chunk padded with
// spaces, the BIN chunk padded with zeros, all lengths little-endian) or a
// .gltf text file that names its .bin beside it.
#pragma once

#include <string>

#include "export/export_transaction.h"
#include "export/gltf_binary_stream.h"

namespace brimvale {

// Writes path as a .glb holding json and the whole of bin; the scratch file
// behind bin is removed. False (the transaction knows why) on failure,
// including a file past the format's 4 GiB limit.
bool WriteGlbFile(CExportTransaction& transaction, const std::string& path, const std::string& json,
                  CGltfBinaryStream& bin);

// Writes json as the text file path.
bool WriteGltfTextFile(CExportTransaction& transaction, const std::string& path, const std::string& json);

}  // namespace brimvale
