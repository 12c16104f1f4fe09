// The Metasequoia reader on a generated model of 1,000,000 vertices and
// 1,000,000 quads (a 1000 x 1000 torus), as text and with a BVertex block,
// next to an fgets + sscanf reader of the same text file in the same run.
// Reports MB/s (bytes_per_second), vertices/s (items_per_second), whether the
// coordinates are bit-identical to what sscanf/strtof read, and the reader's
// peak memory against the size of the finished document.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/mesh_builder.h"
#include "document/mqo_reader.h"
#include "document/quorix_doc.h"

namespace {

using namespace brimvale;

constexpr int kRing = 1000;  // vertices around each ring, and rings
constexpr int kVertices = kRing * kRing;

struct Model {
  std::string textPath;
  std::string binaryPath;
  std::string blockPath;  // BVertex only, no faces: the block's own speed
  size_t textBytes = 0, binaryBytes = 0, blockBytes = 0;
};

CVector3 TorusPoint(int ring, int step) {
  const double a = ring * 6.283185307179586 / kRing, b = step * 6.283185307179586 / kRing;
  const double r = 300.0 + 80.0 * std::cos(b);
  return CVector3(static_cast<float>(r * std::cos(a)), static_cast<float>(80.0 * std::sin(b)),
                  static_cast<float>(r * std::sin(a)));
}

void WriteHeader(FILE* f, const char* version) {
  std::fprintf(
      f,
      "Metasequoia Document\r\nFormat Text Ver %s\r\n\r\nScene {\r\n\tpos 0.0000 0.0000 1500.0000\r\n"
      "\tlookat 0.0000 0.0000 0.0000\r\n}\r\nMaterial 1 {\r\n\t\"mat\" col(1.000 1.000 1.000 1.000)"
      " dif(0.800) amb(0.600) emi(0.000) spc(0.000) power(5.00)\r\n}\r\nObject \"torus\" {\r\n"
      "\tvisible 15\r\n\tshading 1\r\n\tfacet 59.5\r\n",
      version);
}

void WriteBinaryVertices(FILE* f) {
  std::fprintf(f, "\tBVertex %d {\r\n\t\tVector %d [%d]\r\n", kVertices, kVertices, kVertices * 12);
  std::vector<float> block;
  block.reserve(static_cast<size_t>(kVertices) * 3);
  for (int i = 0; i < kRing; ++i) {
    for (int j = 0; j < kRing; ++j) {
      const CVector3 p = TorusPoint(i, j);
      block.insert(block.end(), {p.x, p.y, p.z});
    }
  }
  std::fwrite(block.data(), sizeof(float), block.size(), f);
  std::fprintf(f, "\r\n\t}\r\n");
}

void WriteFaces(FILE* f) {
  std::fprintf(f, "\tface %d {\r\n", kVertices);
  for (int i = 0; i < kRing; ++i) {
    for (int j = 0; j < kRing; ++j) {
      const int i1 = (i + 1) % kRing, j1 = (j + 1) % kRing;
      const double u0 = double(i) / kRing, u1 = double(i + 1) / kRing, v0 = double(j) / kRing,
                   v1 = double(j + 1) / kRing;
      std::fprintf(f, "\t\t4 V(%d %d %d %d) M(0) UV(%.5f %.5f %.5f %.5f %.5f %.5f %.5f %.5f)\r\n",
                   i * kRing + j, i1 * kRing + j, i1 * kRing + j1, i * kRing + j1, u0, v0, u1, v0, u1, v1, u0,
                   v1);
    }
  }
  std::fprintf(f, "\t}\r\n");
}

const Model& GeneratedModel() {
  static Model model = [] {
    Model m;
    const auto dir = std::filesystem::temp_directory_path();
    const std::string tag = std::to_string(getpid());
    m.textPath = (dir / ("brimvale_bench_text_" + tag + ".mqo")).string();
    m.binaryPath = (dir / ("brimvale_bench_bvertex_" + tag + ".mqo")).string();
    m.blockPath = (dir / ("brimvale_bench_block_" + tag + ".mqo")).string();
    FILE* f = std::fopen(m.textPath.c_str(), "wb");
    WriteHeader(f, "1.0");
    std::fprintf(f, "\tvertex %d {\r\n", kVertices);
    for (int i = 0; i < kRing; ++i) {
      for (int j = 0; j < kRing; ++j) {
        const CVector3 p = TorusPoint(i, j);
        std::fprintf(f, "\t\t%.4f %.4f %.4f\r\n", static_cast<double>(p.x), static_cast<double>(p.y),
                     static_cast<double>(p.z));
      }
    }
    std::fprintf(f, "\t}\r\n");
    WriteFaces(f);
    std::fprintf(f, "}\r\nEof\r\n");
    std::fclose(f);
    f = std::fopen(m.binaryPath.c_str(), "wb");
    WriteHeader(f, "1.1");
    WriteBinaryVertices(f);
    WriteFaces(f);
    std::fprintf(f, "}\r\nEof\r\n");
    std::fclose(f);
    f = std::fopen(m.blockPath.c_str(), "wb");
    WriteHeader(f, "1.1");
    WriteBinaryVertices(f);
    std::fprintf(f, "}\r\nEof\r\n");
    std::fclose(f);
    m.textBytes = std::filesystem::file_size(m.textPath);
    m.binaryBytes = std::filesystem::file_size(m.binaryPath);
    m.blockBytes = std::filesystem::file_size(m.blockPath);
    std::atexit([] {
      std::filesystem::remove(GeneratedModel().textPath);
      std::filesystem::remove(GeneratedModel().binaryPath);
      std::filesystem::remove(GeneratedModel().blockPath);
    });
    return m;
  }();
  return model;
}

// The baseline: the text file read line by line with fgets and sscanf.
struct BaselineMesh {
  std::vector<CVector3> positions;
  std::vector<int> indices;
  std::vector<float> uv;
  std::vector<int> materials;
};

void ReadWithSscanf(const std::string& path, BaselineMesh& mesh) {
  FILE* f = std::fopen(path.c_str(), "rb");
  char line[1024];
  enum { kOther, kVertex, kFace } section = kOther;
  while (std::fgets(line, sizeof line, f)) {
    if (section == kVertex) {
      CVector3 p;
      if (std::sscanf(line, "%f %f %f", &p.x, &p.y, &p.z) == 3) {
        mesh.positions.push_back(p);
      } else {
        section = kOther;
      }
    } else if (section == kFace) {
      int n, a, b, c, d, m;
      float uv[8];
      if (std::sscanf(line, "%d V(%d %d %d %d) M(%d) UV(%f %f %f %f %f %f %f %f)", &n, &a, &b, &c, &d, &m,
                      &uv[0], &uv[1], &uv[2], &uv[3], &uv[4], &uv[5], &uv[6], &uv[7]) == 14) {
        mesh.indices.insert(mesh.indices.end(), {a, b, c, d});
        mesh.materials.push_back(m);
        mesh.uv.insert(mesh.uv.end(), uv, uv + 8);
      } else {
        section = kOther;
      }
    } else {
      int count;
      if (std::sscanf(line, " vertex %d", &count) == 1) {
        mesh.positions.reserve(static_cast<size_t>(count));
        section = kVertex;
      } else if (std::sscanf(line, " face %d", &count) == 1) {
        mesh.indices.reserve(4 * static_cast<size_t>(count));
        mesh.uv.reserve(8 * static_cast<size_t>(count));
        mesh.materials.reserve(static_cast<size_t>(count));
        section = kFace;
      }
    }
  }
  std::fclose(f);
}

class SilentUserInterface : public CUserInterface {
 public:
  void MessageBox(const std::string&, const std::string&) override {}
};

void ReadModel(const std::string& path, CQuorixDoc& doc) {
  static SilentUserInterface ui;
  doc.SetUserInterface(&ui);
  if (!ReadMqoFile(doc, path)) std::abort();
}

void BM_Baseline_FgetsSscanf_Text(benchmark::State& state) {
  const Model& model = GeneratedModel();
  for (auto _ : state) {
    BaselineMesh mesh;
    ReadWithSscanf(model.textPath, mesh);
    benchmark::DoNotOptimize(mesh.positions.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * model.textBytes));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kVertices);
}

void ReaderBenchmark(benchmark::State& state, const std::string& path, size_t bytes) {
  for (auto _ : state) {
    CQuorixDoc doc;
    ReadModel(path, doc);
    benchmark::DoNotOptimize(doc.Object(0));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kVertices);
}

void BM_Reader_Text(benchmark::State& state) {
  ReaderBenchmark(state, GeneratedModel().textPath, GeneratedModel().textBytes);
}
void BM_Reader_BVertexModel(benchmark::State& state) {
  ReaderBenchmark(state, GeneratedModel().binaryPath, GeneratedModel().binaryBytes);
}
void BM_Reader_BVertexBlockOnly(benchmark::State& state) {
  ReaderBenchmark(state, GeneratedModel().blockPath, GeneratedModel().blockBytes);
}

// The share of a read that goes to the edges and vertex links of the object
// (built by the document's topology code once the faces are read).
void BM_Topology_EdgesAndLinksOfTheReadModel(benchmark::State& state) {
  CQuorixDoc doc;
  ReadModel(GeneratedModel().textPath, doc);
  CMeshBuilder builder(doc.Object(0));
  for (auto _ : state) {
    builder.BuildEdges();
    builder.BuildVertexLinks();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kVertices);
}

// Whether the reader's coordinates are, bit for bit, what sscanf made of the
// same text (z negated as the reader stores it), and the face data too.
void BM_Reader_BitIdenticalToSscanf(benchmark::State& state) {
  const Model& model = GeneratedModel();
  bool identical = true;
  for (auto _ : state) {
    CQuorixDoc doc;
    ReadModel(model.textPath, doc);
    BaselineMesh mesh;
    ReadWithSscanf(model.textPath, mesh);
    const CMeshObject& object = *doc.Object(0);
    identical = object.VertexCount() == static_cast<int>(mesh.positions.size()) &&
                object.QuadCount() == static_cast<int>(mesh.materials.size());
    for (int i = 0; identical && i < object.VertexCount(); ++i) {
      const CVector3& ours = object.m_Vertices.Position(i);
      const CVector3& theirs = mesh.positions[static_cast<size_t>(i)];
      const float negated = -theirs.z;
      identical = std::memcmp(&ours.x, &theirs.x, 4) == 0 && std::memcmp(&ours.y, &theirs.y, 4) == 0 &&
                  std::memcmp(&ours.z, &negated, 4) == 0;
    }
    for (int q = 0; identical && q < object.QuadCount(); ++q) {
      const CMeshFace& face = object.m_Faces.Quads()[static_cast<size_t>(q)];
      const CCornerUVs* uvs = object.m_Faces.FaceUVs(FaceList::Quads, static_cast<size_t>(q));
      identical = identical && uvs;
      for (int c = 0; identical && c < 4; ++c) {
        const size_t k = static_cast<size_t>(q) * 4 + static_cast<size_t>(c);
        identical = identical && face.m_Index[c] == mesh.indices[k] &&
                    std::memcmp(&uvs->m_UV[c].u, &mesh.uv[2 * k], 4) == 0 &&
                    std::memcmp(&uvs->m_UV[c].v, &mesh.uv[2 * k + 1], 4) == 0;
      }
    }
  }
  state.counters["bit_identical"] = identical ? 1 : 0;
}

// Bytes the finished document holds: what its containers have in use.
size_t DocumentBytes(const CQuorixDoc& doc) {
  size_t bytes = 0;
  for (const auto& object : doc.m_Objects) {
    bytes += object->m_Vertices.Positions().size() * sizeof(CVector3);
    if (object->m_Vertices.HasStoredAttrs()) bytes += object->m_Vertices.Positions().size() * sizeof(CVertexAttr);
    bytes += object->m_Vertices.LinkTable().MemoryBytes();
    bytes += object->m_Edges.size() * sizeof(CMeshEdge);
    bytes += (object->m_Faces.Lines().size() + object->m_Faces.Triangles().size() +
              object->m_Faces.Quads().size()) *
             sizeof(CMeshFace);
  }
  return bytes;
}

long StatusKilobytes(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + std::strlen(key));
  }
  return -1;
}

// Peak memory of one read, measured in a fresh child process: its resident
// high-water mark (VmHWM) less what it held before the read.
void PeakMemory(benchmark::State& state, const std::string& path) {
  double peakMb = 0, documentMb = 0;
  for (auto _ : state) {
    int channel[2];
    if (pipe(channel) != 0) std::abort();
    const pid_t child = fork();
    if (child == 0) {
      close(channel[0]);
      std::ofstream("/proc/self/clear_refs") << "5";  // resets VmHWM to the current size
      const long before = StatusKilobytes("VmRSS:");
      CQuorixDoc doc;
      ReadModel(path, doc);
      const long peak = StatusKilobytes("VmHWM:");
      const double figures[2] = {(peak - before) / 1024.0, DocumentBytes(doc) / 1048576.0};
      if (write(channel[1], figures, sizeof figures) != sizeof figures) _exit(1);
      _exit(0);
    }
    close(channel[1]);
    double figures[2] = {0, 0};
    if (read(channel[0], figures, sizeof figures) != sizeof figures) state.SkipWithError("child failed");
    close(channel[0]);
    waitpid(child, nullptr, 0);
    peakMb = figures[0];
    documentMb = figures[1];
  }
  state.counters["peak_MB"] = peakMb;
  state.counters["document_MB"] = documentMb;
  state.counters["peak_over_document"] = documentMb > 0 ? peakMb / documentMb : 0;
}

void BM_Reader_PeakMemory_Text(benchmark::State& state) {
  PeakMemory(state, GeneratedModel().textPath);
}
void BM_Reader_PeakMemory_BVertex(benchmark::State& state) {
  PeakMemory(state, GeneratedModel().binaryPath);
}

BENCHMARK(BM_Baseline_FgetsSscanf_Text)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Reader_Text)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Reader_BVertexModel)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Reader_BVertexBlockOnly)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Topology_EdgesAndLinksOfTheReadModel)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Reader_BitIdenticalToSscanf)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Reader_PeakMemory_Text)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Reader_PeakMemory_BVertex)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
