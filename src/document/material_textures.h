// Loading a material's texture, alpha and bump maps from the folders the
// document knows (the document's own folder and the Metasequoia folder's
// Metaseq.ini). The reader calls it for every material it creates.
#pragma once

namespace brimvale {

class CQuorixDoc;
class CMaterial;

void LoadMaterialTextures(CQuorixDoc& doc, CMaterial& material);

}  // namespace brimvale
