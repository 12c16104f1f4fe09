// Texture memory of a model with many large textures: 48 materials, each
// naming its own 2048 x 2048 picture (16 MiB of texels apiece, 768 MiB if
// every one were kept whole). Reports the texel bytes the materials hold and
// the growth of the process's resident memory while reading the model, which
// the document's texture budget keeps at 256 MiB plus 256 KiB a material (the
// 256 x 256 every texture may have).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench_memory.h"
#include "document/material_textures.h"
#include "document/mqo_reader.h"
#include "document/quorix_doc.h"
#include "image/codec_bridge.h"
#include "image/pixel_image.h"

namespace brimvale {
namespace {

constexpr int kMaterials = 48;
constexpr int kSide = 2048;

// The model and its picture, written once into a scratch folder.
std::string Model() {
  static const std::string path = [] {
    const auto folder = std::filesystem::temp_directory_path() / "brimvale-texture-bench";
    std::filesystem::create_directories(folder);
    CPixelImage picture;
    picture.Create(kSide, kSide, 24);
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) {
        uint8_t* p = picture.PixelAddress(x, y);
        p[0] = static_cast<uint8_t>(x);
        p[1] = static_cast<uint8_t>(y);
        p[2] = static_cast<uint8_t>(x ^ y);
      }
    SavePng((folder / "large.png").string(), picture, nullptr, 0);
    std::ofstream model(folder / "many_textures.mqo", std::ios::binary);
    model << "Metasequoia Document\nFormat Text Ver 1.0\n\nMaterial " << kMaterials << " {\n";
    for (int m = 0; m < kMaterials; ++m) model << "\t\"m" << m << "\" col(1 1 1 1) tex(\"large.png\")\n";
    model << "}\nEof\n";
    return (folder / "many_textures.mqo").string();
  }();
  return path;
}

void BM_ReadManyLargeTextures(benchmark::State& state) {
  const std::string path = Model();
  size_t texels = 0, grown = 0;
  for (auto _ : state) {
    const size_t before = bench::ResidentBytes();
    CQuorixDoc doc;
    if (!ReadMqoFile(doc, path)) state.SkipWithError("cannot read the model");
    grown = bench::ResidentBytes() - before;
    texels = 0;
    for (const auto& material : doc.m_Materials) texels += material->m_TextureBuffer.Bytes();
  }
  state.counters["texel_MiB"] = static_cast<double>(texels) / (1 << 20);
  state.counters["budget_MiB"] = static_cast<double>(kTextureBudgetBytes) / (1 << 20);
  state.counters["resident_growth_MiB"] = static_cast<double>(grown) / (1 << 20);
  state.counters["unbounded_MiB"] = static_cast<double>(kMaterials) * kSide * kSide * 4 / (1 << 20);
}
BENCHMARK(BM_ReadManyLargeTextures)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace brimvale

BENCHMARK_MAIN();
