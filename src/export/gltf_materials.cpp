#include "export/gltf_materials.h"

#include <algorithm>
#include <cmath>

#include "document/quorix_doc.h"
#include "foundation/text_decoding.h"
#include "image/texture_lookup.h"

namespace brimvale {
namespace {

double Clamp01(double value) { return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0; }

// Six decimals keep the JSON short; finer steps are invisible in 8-bit colour.
double Rounded(double value) { return std::round(value * 1e6) / 1e6; }

// A map file the texture lookup finds, or empty with a warning when it is named but missing.
std::string FindMap(const std::string& materialName, const char* what, const std::string& name,
                    const std::string& path, std::vector<std::string>& warnings) {
  if (name.empty()) return std::string();
  if (IsUsableTextureFile(path)) return path;
  warnings.push_back("material " + materialName + ": " + what + " " + (path.empty() ? name : path) +
                     " not found or not an image type the export knows; left out");
  return std::string();
}

}  // namespace

float SrgbByteToLinear(unsigned byte) {
  const double c = static_cast<double>(byte) / 255.0;
  return static_cast<float>(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
}

float RoughnessFromPower(float power) {
  const double p = std::isfinite(power) && power > 0.0f ? static_cast<double>(power) : 0.0;
  return static_cast<float>(std::sqrt(2.0 / (p + 2.0)));
}

GltfJson GltfMaterialOf(const CMaterial& material, const std::string& name, int texture, bool translucent) {
  const double linear[3] = {static_cast<double>(SrgbByteToLinear(ColorRed(material.m_Color))),
                            static_cast<double>(SrgbByteToLinear(ColorGreen(material.m_Color))),
                            static_cast<double>(SrgbByteToLinear(ColorBlue(material.m_Color)))};
  const double alpha = Clamp01(static_cast<double>(material.m_fAlpha));
  const double emission = Clamp01(static_cast<double>(material.m_fEmission));
  const double diffuse = Clamp01(static_cast<double>(material.m_fDiffuse));
  GltfJson pbr = {{"baseColorFactor",
                   {Rounded(linear[0] * diffuse), Rounded(linear[1] * diffuse), Rounded(linear[2] * diffuse),
                    Rounded(alpha)}},
                  {"metallicFactor", 0},
                  {"roughnessFactor", Rounded(static_cast<double>(RoughnessFromPower(material.m_fPower)))}};
  if (texture >= 0) pbr["baseColorTexture"] = {{"index", texture}};
  GltfJson entry = {{"name", name}, {"pbrMetallicRoughness", std::move(pbr)}};
  if (emission > 0.0) {
    entry["emissiveFactor"] = {Rounded(Clamp01(linear[0] * emission)), Rounded(Clamp01(linear[1] * emission)),
                               Rounded(Clamp01(linear[2] * emission))};
    if (texture >= 0) entry["emissiveTexture"] = {{"index", texture}};
  }
  entry["alphaMode"] = alpha < 1.0 || translucent ? "BLEND" : "OPAQUE";
  return entry;
}

void AddGltfMaterials(CGltfDocument& document, const CQuorixDoc& doc, const std::vector<int>& materials,
                      CGltfTextureWriter& textures, std::vector<std::string>& warnings) {
  const TextureSearch search{doc.m_strPathName, doc.MetaseqFolder, doc.m_bUtf8};
  for (const int i : materials) {
    const CMaterial& material = *doc.Material(i);
    const std::string name = DecodeName(material.m_strName, doc.m_bUtf8);
    const std::string texturePath = FindMap(name, "texture", material.m_strTexture,
                                            ResolveTexturePath(material.m_strTexture, search), warnings);
    const std::string alphaPath = FindMap(name, "alpha map", material.m_strAlphaMap,
                                          ResolveAlphaPath(material.m_strAlphaMap, search), warnings);
    if (!material.m_strBump.empty())
      warnings.push_back("material " + name + ": bump map " + DecodeName(material.m_strBump, doc.m_bUtf8) +
                         " is not exported to glTF");
    int texture = -1;
    bool translucent = false;
    if (!texturePath.empty() || !alphaPath.empty()) {
      const CGltfTextureWriter::Result written = textures.TextureOf(texturePath, alphaPath);
      translucent = written.translucent;
      texture = written.texture;
      if (written.unreadable) warnings.push_back("material " + name + ": cannot read its texture or alpha map; left out");
    }
    document.Add("materials", GltfMaterialOf(material, name, texture, translucent));
  }
}

GltfJson DefaultGltfMaterial() {
  return {{"name", "default"},
          {"pbrMetallicRoughness", {{"baseColorFactor", {1, 1, 1, 1}}, {"metallicFactor", 0}, {"roughnessFactor", 1}}}};
}

}  // namespace brimvale
