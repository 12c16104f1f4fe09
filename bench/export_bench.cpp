// The POV-Ray export of a 1,000,000-triangle smooth, textured object against a
// baseline that writes the same text with fprintf, in the same run:
//   whole   - the three files of an export, smooth normals included on both sides
//   mesh2   - the mesh2 text alone, from normals computed beforehand
// Files go to /dev/shm when it exists, so the figures measure the writers and
// not the disk. After the runs the outputs are compared byte for byte.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "document/mesh_builder.h"
#include "document/quorix_doc.h"
#include "export/export_text_file.h"
#include "export/pov_exporter.h"
#include "mesh/output_mesh_builder.h"

namespace brimvale {
namespace {

namespace fs = std::filesystem;

constexpr int kCols = 708;  // 2 x 708 x 706 = 999,696 triangles, just under a million
constexpr int kRows = 706;

std::map<std::string, double> g_MegabytesPerSecond;
std::map<std::string, double> g_CpuMegabytesPerSecond;

// This process's CPU seconds: on a shared, busy machine the wall clock also
// counts time spent waiting for a core.
double CpuSeconds() {
  timespec now;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

fs::path Folder() {
  static const fs::path folder = [] {
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    const fs::path made = base / ("brimvale-export-bench-" + std::to_string(::getpid()));
    fs::create_directories(made);
    return made;
  }();
  return folder;
}

// A wavy height field with texture coordinates, split into triangles, one
// material with a BMP texture (used as it is: white and opaque).
CQuorixDoc& Document() {
  static CQuorixDoc* doc = [] {
    auto* made = new CQuorixDoc();
    made->m_bMegaPov = 0;
    made->m_strPathName = (Folder() / "bench.mqo").string();
    std::ofstream(made->m_strPathName) << "";
    // 1 x 1 24-bit bitmap.
    const unsigned char bmp[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0,
                                   0, 1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                   0, 0, 200, 150, 100, 0};
    std::ofstream((Folder() / "tex.bmp").string(), std::ios::binary).write(reinterpret_cast<const char*>(bmp), 58);
    CMaterial* material = made->AddMaterial();
    material->m_strName = "ground";
    material->m_strTexture = "tex.bmp";
    CMeshObject* obj = made->AddObject();
    obj->m_strName = "terrain";
    const int stride = kCols + 1;
    obj->m_Vertices.SetSize(stride * (kRows + 1));
    for (int y = 0; y <= kRows; ++y) {
      for (int x = 0; x <= kCols; ++x) {
        const float h = std::sin(static_cast<float>(x) * 0.05f) * std::cos(static_cast<float>(y) * 0.07f) * 8.0f;
        obj->m_Vertices.Position(y * stride + x) =
            CVector3(static_cast<float>(x) * 1.37f - 400.0f, h, static_cast<float>(y) * -1.21f + 300.0f);
      }
    }
    auto& triangles = obj->m_Faces.Triangles();
    auto& triangleUVs = obj->m_Faces.UVs(FaceList::Triangles);
    for (int y = 0; y < kRows; ++y) {
      for (int x = 0; x < kCols; ++x) {
        const int a = y * stride + x, b = a + 1, c = a + stride + 1, d = a + stride;
        const CVector2 uv[4] = {{static_cast<float>(y) / kRows, static_cast<float>(x) / kCols},
                                {static_cast<float>(y) / kRows, static_cast<float>(x + 1) / kCols},
                                {static_cast<float>(y + 1) / kRows, static_cast<float>(x + 1) / kCols},
                                {static_cast<float>(y + 1) / kRows, static_cast<float>(x) / kCols}};
        CMeshFace t;
        t.m_nCorners = 3;
        t.m_nMaterial = 0;
        t.m_Index[0] = a, t.m_Index[1] = b, t.m_Index[2] = c;
        triangles.push_back(t);
        triangleUVs.push_back(CCornerUVs{{uv[0], uv[1], uv[2], {}}});
        t.m_Index[1] = c, t.m_Index[2] = d;
        triangles.push_back(t);
        triangleUVs.push_back(CCornerUVs{{uv[0], uv[2], uv[3], {}}});
      }
    }
    return made;
  }();
  return *doc;
}

double D(float value) { return static_cast<double>(value); }

// The baseline's mesh2: the same text, every piece through fprintf.
void FprintfMesh2(FILE* f, const CMeshObject& object, int number, int materialCount) {
  const int t = object.TriangleCount(), q = object.QuadCount(), v = object.VertexCount();
  const bool smooth = object.m_bSmoothShading != 0;
  std::fprintf(f, "#declare obj%d=mesh2{\n", number);
  std::fprintf(f, "\tvertex_vectors{\n\t\t%d\n\t\t", v);
  for (int i = 0; i < v; ++i) {
    const CVector3& p = object.m_Vertices.Position(i);
    std::fprintf(f, "<%0.4f,%0.4f,%0.4f>,", D(p.x), D(p.y), D(p.z));
    if (i != 0 && (i + 1) % 10 == 0) std::fprintf(f, i != v - 1 ? "\n\t\t" : "\n");
  }
  std::fprintf(f, "\n\t}\n");
  const auto& tris = object.m_Faces.Triangles();
  const auto& quads = object.m_Faces.Quads();
  if (smooth) {
    std::fprintf(f, "\tnormal_vectors{\n\t\t%d\n\t\t", 3 * t + 4 * q);
    int counter = 0;
    for (int i = 0; i < t; ++i) {
      for (int k = 0; k < 3; ++k) {
        const CVector3& n = object.m_Faces.m_TriangleCornerNormals[static_cast<size_t>(3 * i + k)];
        std::fprintf(f, "<%0.3f,%0.3f,%0.3f>,", D(n.x), D(n.y), D(n.z));
        if (++counter % 10 == 0) std::fprintf(f, (i != t - 1 || k != 2) ? "\n\t\t" : "\n");
      }
    }
    std::fprintf(f, "\n\t\t");
    std::fprintf(f, "\n\t}\n");  // no quads in this object
  }
  std::fprintf(f, "\tuv_vectors{\n\t\t%d\n\t\t", 3 * t + 4 * q);
  int counter = 0;
  for (int i = 0; i < t; ++i) {
    for (int k = 0; k < 3; ++k) {
      const CVector2& uv = object.m_Faces.UVs(FaceList::Triangles)[static_cast<size_t>(i)].m_UV[k];
      std::fprintf(f, "<%0.3f,%0.3f>,", D(uv.u), D(1.0f - uv.v));
      if (++counter % 10 == 0) std::fprintf(f, (i != t - 1 || k != 2) ? "\n\t\t" : "\n");
    }
  }
  std::fprintf(f, "\n\t\t");
  std::fprintf(f, "\n\t}\n");
  std::fprintf(f, "\ttexture_list{\n\t\t%d\n\t\ttexture{ brimvale_mat_default }\n", materialCount + 1);
  for (int i = 0; i < materialCount; ++i) std::fprintf(f, "\t\ttexture{ brimvale_mat_%d }\n", i);
  std::fprintf(f, "\t}\n");
  std::fprintf(f, "\tface_indices{\n\t\t%d\n\t\t", t + 2 * q);
  for (int i = 0; i < t; ++i) {
    const CMeshFace& face = tris[static_cast<size_t>(i)];
    const int k = face.m_nMaterial >= 0 && face.m_nMaterial < materialCount ? face.m_nMaterial + 1 : 0;
    std::fprintf(f, "< %d , %d , %d > , %d , ", face.m_Index[0], face.m_Index[1], face.m_Index[2], k);
    if (i != 0 && i % 10 == 0) std::fprintf(f, i != t - 1 ? "\n\t\t" : "\n");
  }
  std::fprintf(f, "\n\t\t");
  (void)quads;
  std::fprintf(f, "\t}\n");
  if (smooth) std::fprintf(f, "\tnormal_indices{\n\t\t%d\n\t\tBrimvaleMacro(%d,%d)\n\t}\n", t + 2 * q, t, q);
  std::fprintf(f, "\tuv_indices{\n\t\t%d\n\t\tBrimvaleMacro(%d,%d)\n\t}\n", t + 2 * q, t, q);
  std::fprintf(f, "\tuv_mapping\n");
  if (object.m_bNoShadow) std::fprintf(f, "\tno_shadow\n");
  std::fprintf(f, "}\n\n");
  std::fprintf(f, "object{ obj%d }\n\n", number);
}

void CloseDurably(FILE* f) {
  std::fflush(f);
  ::fsync(::fileno(f));
  std::fclose(f);
}

// The baseline's whole export of this document (POV-Ray syntax, defaults).
void FprintfExport(CQuorixDoc& doc, const std::string& base) {
  FILE* scene = std::fopen((base + ".pov").c_str(), "w");
  std::fprintf(scene, "#version %0.1f;\n\n", D(doc.m_fPovVersion));
  std::fprintf(scene, "//background color\nbackground{rgb <%d/255,%d/255,%d/255>}\n\n", 150, 150, 150);
  const CScene& s = doc.m_Scene;
  std::fprintf(scene, "camera{\n\tlocation < %0.3f, %0.3f, %0.3f >\n", D(s.m_vPosition.x), D(s.m_vPosition.y),
               D(s.m_vPosition.z));
  std::fprintf(scene, "\tlook_at < %0.3f, %0.3f, %0.3f >\n", D(s.m_vLookAt.x), D(s.m_vLookAt.y), D(s.m_vLookAt.z));
  std::fprintf(scene, "\tangle %0.3f\n}\n\n", D(s.m_fAngle));
  std::fprintf(scene, "//deault-light\n");
  for (const CVector3& l : doc.m_vDefaultLight) std::fprintf(scene, "light_source{<%0.3f,%0.3f,%0.3f> rgb 1}\n", D(l.x), D(l.y), D(l.z));
  std::fprintf(scene, "\n\n#include \"%s_mat.inc\"\n#include \"%s_obj.inc\"\n", base.c_str(), base.c_str());
  CloseDurably(scene);

  FILE* mat = std::fopen((base + "_mat.inc").c_str(), "w");
  std::fprintf(mat, "#version %0.1f;\n\n", D(doc.m_fPovVersion));
  std::fprintf(mat, "//Material\n#declare brimvale_mat_default=texture{\n\tpigment{rgb 1}\n\tfinish{phong 1}\n}\n\n");
  const CMaterial& m = *doc.Material(0);
  std::fprintf(mat, "//%s\n#declare brimvale_mat_pigment_%d = pigment{\n\timage_map{\n", m.m_strName.c_str(), 0);
  std::fprintf(mat, "\t\t%s\t\"%s\"\n\t\tinterpolate 2\n\t}\n}\n\n", "bmp", (Folder() / "tex.bmp").c_str());
  std::fprintf(mat, "#declare brimvale_mat_finish_%d = finish{\n\tambient %.4f\n\tdiffuse %.4f\n}\n\n", 0,
               D(m.m_fAmbient), D(m.m_fDiffuse) * 0.8);
  std::fprintf(mat, "#declare brimvale_mat_%d = texture{\n\tpigment{ brimvale_mat_pigment_%d }\n", 0, 0);
  std::fprintf(mat, "\tfinish { brimvale_mat_finish_%d  }\n}\n\n", 0);
  CloseDurably(mat);

  FILE* obj = std::fopen((base + "_obj.inc").c_str(), "w");
  std::fprintf(obj, "#version %0.1f;\n\n", D(doc.m_fPovVersion));
  std::fprintf(obj,
               "//Macro\n#macro BrimvaleMacro(TriangleNum,QuadsNum)\n#local i=0;\n#local e=0;\n"
               "#while(i<TriangleNum)\n<e,e+1,e+2>,\n#local i=i+1;\n#local e=e+3;\n#end\n"
               "#local i=0;\n#while(i<QuadsNum)\n<e,e+1,e+2>,\n<e,e+2,e+3>,\n#local i=i+1;\n"
               "#local e=e+4;\n#end\n#end\n\n\n//Object\n");
  CMeshObject& object = *doc.Object(0);
  CMeshBuilder builder(&object);
  if (!object.m_bVertexFaceLinksValid) builder.BuildVertexFaceLinks();
  builder.ComputeSmoothNormals();
  FprintfMesh2(obj, object, 0, doc.MaterialCount());
  object.m_Faces.FreeNormals();
  CloseDurably(obj);
}

uintmax_t SizeOf(const std::string& base) {
  return fs::file_size(base + ".pov") + fs::file_size(base + "_mat.inc") + fs::file_size(base + "_obj.inc");
}

void Report(benchmark::State& state, const char* name, uintmax_t bytes, double seconds, double cpuSeconds) {
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
  const double megabytes = static_cast<double>(bytes) * static_cast<double>(state.iterations()) / 1e6;
  state.counters["MB/s"] = megabytes / seconds;
  state.counters["MB/s_cpu"] = megabytes / cpuSeconds;
  g_MegabytesPerSecond[name] = megabytes / seconds;
  g_CpuMegabytesPerSecond[name] = megabytes / cpuSeconds;
}

void BM_WholeExport(benchmark::State& state) {
  CQuorixDoc& doc = Document();
  const std::string base = (Folder() / "exporter").string();
  double seconds = 0, cpu = 0;
  for (auto _ : state) {
    const double cpuStart = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    CPovExporter exporter(doc);
    if (!exporter.Export(base + ".pov")) state.SkipWithError(exporter.Error().c_str());
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    cpu += CpuSeconds() - cpuStart;
  }
  Report(state, "whole exporter", SizeOf(base), seconds, cpu);
}

void BM_WholeFprintf(benchmark::State& state) {
  CQuorixDoc& doc = Document();
  const std::string base = (Folder() / "baseline").string();
  double seconds = 0, cpu = 0;
  for (auto _ : state) {
    const double cpuStart = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    FprintfExport(doc, base);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    cpu += CpuSeconds() - cpuStart;
  }
  Report(state, "whole fprintf", SizeOf(base), seconds, cpu);
}

// The mesh2 text alone, from normals already computed.
CMeshObject& ObjectWithNormals() {
  CMeshObject& object = *Document().Object(0);
  CMeshBuilder builder(&object);
  if (!object.m_bVertexFaceLinksValid) builder.BuildVertexFaceLinks();
  if (!object.m_Faces.HasNormals()) builder.ComputeSmoothNormals();
  return object;
}

void BM_Mesh2Exporter(benchmark::State& state) {
  CMeshObject& object = *Document().Object(0);
  const std::unique_ptr<COutputMesh> mesh =
      BuildOutputMesh(object, OutputMeshOptionsFor(Document(), nullptr, true));
  const std::string path = (Folder() / "mesh2_exporter.inc").string();
  CPovExporter exporter(Document());
  double seconds = 0, cpu = 0;
  for (auto _ : state) {
    const double cpuStart = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    CExportTransaction transaction;
    CExportTextFile file(transaction, path);
    exporter.WriteMesh2Text(file, *mesh, object, 0);
    file.Close();
    if (!transaction.Commit()) state.SkipWithError(transaction.Error().c_str());
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    cpu += CpuSeconds() - cpuStart;
  }
  Report(state, "mesh2 exporter", fs::file_size(path), seconds, cpu);
}

void BM_Mesh2Fprintf(benchmark::State& state) {
  CMeshObject& object = ObjectWithNormals();
  const std::string path = (Folder() / "mesh2_fprintf.inc").string();
  double seconds = 0, cpu = 0;
  for (auto _ : state) {
    const double cpuStart = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    FILE* f = std::fopen(path.c_str(), "w");
    FprintfMesh2(f, object, 0, Document().MaterialCount());
    CloseDurably(f);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    cpu += CpuSeconds() - cpuStart;
  }
  Report(state, "mesh2 fprintf", fs::file_size(path), seconds, cpu);
}

BENCHMARK(BM_WholeExport)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_WholeFprintf)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Mesh2Exporter)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Mesh2Fprintf)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The exporter names its include files by its own base; compare with the
// baseline's name put in its place.
bool SameOutputs() {
  const fs::path folder = Folder();
  std::string scene = Slurp(folder / "exporter.pov");
  const std::string from = (folder / "exporter").string(), to = (folder / "baseline").string();
  for (size_t at = scene.find(from); at != std::string::npos; at = scene.find(from, at + to.size()))
    scene.replace(at, from.size(), to);
  return scene == Slurp(folder / "baseline.pov") &&
         Slurp(folder / "exporter_mat.inc") == Slurp(folder / "baseline_mat.inc") &&
         Slurp(folder / "exporter_obj.inc") == Slurp(folder / "baseline_obj.inc") &&
         Slurp(folder / "mesh2_exporter.inc") == Slurp(folder / "mesh2_fprintf.inc");
}

}  // namespace
}  // namespace brimvale

int main(int argc, char** argv) {
  using namespace brimvale;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const bool same = SameOutputs();
  for (const char* what : {"whole", "mesh2"}) {
    const std::string exporter = std::string(what) + " exporter", baseline = std::string(what) + " fprintf";
    if (!g_MegabytesPerSecond.count(exporter) || !g_MegabytesPerSecond.count(baseline)) continue;
    std::printf("\n%s: exporter %.0f MB/s (%.0f per CPU second), fprintf baseline %.0f MB/s (%.0f per CPU second): "
                "%.2fx wall, %.2fx CPU (target 2.5x)",
                what, g_MegabytesPerSecond[exporter], g_CpuMegabytesPerSecond[exporter], g_MegabytesPerSecond[baseline],
                g_CpuMegabytesPerSecond[baseline], g_MegabytesPerSecond[exporter] / g_MegabytesPerSecond[baseline],
                g_CpuMegabytesPerSecond[exporter] / g_CpuMegabytesPerSecond[baseline]);
  }
  std::printf("\n");
  std::printf("outputs byte-identical: %s\n", same ? "yes" : "NO");
  std::error_code ignored;
  fs::remove_all(Folder(), ignored);
  return same ? 0 : 2;
}
