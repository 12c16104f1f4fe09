// Helper program of bench/run_process_bench.sh (not a Google Benchmark run):
// writes the generated models and measures the finished document, so every
// figure of that script is a whole, cold process (the baseline reader is
// naive_reader).
//   process_bench_tool torus TEXT.mqo BVERTEX.mqo   1,000,000 vertices and quads
//   process_bench_tool patches OUT.mqo              8 objects of 2,500 quads, patch 16
//   process_bench_tool curved OUT.mqo               one closed torus of ~100,000 quads, patch 16
//   process_bench_tool floor QUADS                  allocates and writes only the positions and corner
//                                                   indices of QUADS quads: what no derivation can beat
//   process_bench_tool document FILE                resident bytes the read document holds
//   process_bench_tool spin THREADS                 a fixed sum of arithmetic split over THREADS:
//                                                   how much two threads gain on this machine now
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "bench_memory.h"
#include "document/mqo_reader.h"
#include "document/quorix_doc.h"

namespace {

using namespace brimvale;

constexpr int kRing = 1000;

CVector3 TorusPoint(int ring, int step, int rings, double radius, double tube) {
  const double a = ring * 6.283185307179586 / rings, b = step * 6.283185307179586 / rings;
  const double r = radius + tube * std::cos(b);
  return CVector3(static_cast<float>(r * std::cos(a)), static_cast<float>(tube * std::sin(b)),
                  static_cast<float>(r * std::sin(a)));
}

void WriteHeader(FILE* f, const char* version) {
  std::fprintf(f,
               "Metasequoia Document\r\nFormat Text Ver %s\r\n\r\nScene {\r\n\tpos 0.0000 0.0000 1500.0000\r\n"
               "\tlookat 0.0000 0.0000 0.0000\r\n}\r\nMaterial 1 {\r\n\t\"mat\" col(1.000 1.000 1.000 1.000)"
               " dif(0.800) amb(0.600) emi(0.000) spc(0.000) power(5.00)\r\n}\r\n",
               version);
}

// A closed torus of rings x rings quads with UVs.
void WriteTorusObject(FILE* f, const char* name, int rings, double radius, double tube, bool binary,
                      const char* extra) {
  const int vertices = rings * rings;
  std::fprintf(f, "Object \"%s\" {\r\n\tvisible 15\r\n\tshading 1\r\n\tfacet 59.5\r\n%s", name, extra);
  if (binary) {
    std::fprintf(f, "\tBVertex %d {\r\n\t\tVector %d [%d]\r\n", vertices, vertices, vertices * 12);
    for (int i = 0; i < rings; ++i) {
      for (int j = 0; j < rings; ++j) {
        const CVector3 p = TorusPoint(i, j, rings, radius, tube);
        const float xyz[3] = {p.x, p.y, p.z};
        std::fwrite(xyz, sizeof(float), 3, f);
      }
    }
    std::fprintf(f, "\r\n\t}\r\n");
  } else {
    std::fprintf(f, "\tvertex %d {\r\n", vertices);
    for (int i = 0; i < rings; ++i) {
      for (int j = 0; j < rings; ++j) {
        const CVector3 p = TorusPoint(i, j, rings, radius, tube);
        std::fprintf(f, "\t\t%.4f %.4f %.4f\r\n", static_cast<double>(p.x), static_cast<double>(p.y),
                     static_cast<double>(p.z));
      }
    }
    std::fprintf(f, "\t}\r\n");
  }
  std::fprintf(f, "\tface %d {\r\n", vertices);
  for (int i = 0; i < rings; ++i) {
    for (int j = 0; j < rings; ++j) {
      const int i1 = (i + 1) % rings, j1 = (j + 1) % rings;
      const double u0 = double(i) / rings, u1 = double(i + 1) / rings, v0 = double(j) / rings,
                   v1 = double(j + 1) / rings;
      std::fprintf(f, "\t\t4 V(%d %d %d %d) M(0) UV(%.5f %.5f %.5f %.5f %.5f %.5f %.5f %.5f)\r\n", i * rings + j,
                   i1 * rings + j, i1 * rings + j1, i * rings + j1, u0, v0, u1, v0, u1, v1, u0, v1);
    }
  }
  std::fprintf(f, "\t}\r\n}\r\n");
}

bool WriteModel(const char* path, const char* version, int objects, int rings, bool binary, const char* extra) {
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  WriteHeader(f, version);
  for (int i = 0; i < objects; ++i) {
    const std::string name = "torus" + std::to_string(i);
    WriteTorusObject(f, name.c_str(), rings, 300.0 + 40.0 * i, 60.0, binary, extra);
  }
  std::fprintf(f, "Eof\r\n");
  return std::fclose(f) == 0;
}

class SilentUserInterface : public CUserInterface {
 public:
  void MessageBox(const std::string&, const std::string&) override {}
};

int DocumentBytes(const char* path) {
  SilentUserInterface ui;
  const size_t before = bench::ResidentBytes();
  CQuorixDoc doc;
  doc.SetUserInterface(&ui);
  if (!ReadMqoFile(doc, path)) return 1;
  std::printf("%zu\n", bench::ResidentBytes() - before);
  return 0;
}

// No memory traffic, no shared data: what the machine's load leaves to a
// second thread, the ceiling of any speed-up from the pool at that moment.
int Spin(int threads) {
  constexpr long kSteps = 600'000'000;
  std::vector<double> sums(static_cast<size_t>(threads) * 8);  // a cache line apart
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t) {
    pool.emplace_back([&sums, t, threads] {
      double x = 1.0;
      for (long i = 0; i < kSteps / threads; ++i) x = x * 1.0000001 + 1e-9;
      sums[static_cast<size_t>(t) * 8] = x;
    });
  }
  for (std::thread& thread : pool) thread.join();
  return sums[0] > 0.0 ? 0 : 1;
}

int Floor(long quads) {
  std::vector<CVector3> positions(static_cast<size_t>(quads));
  std::vector<int> corners(4 * static_cast<size_t>(quads));
  for (size_t i = 0; i < positions.size(); ++i) positions[i] = CVector3(static_cast<float>(i), 0.0f, 1.0f);
  for (size_t i = 0; i < corners.size(); ++i) corners[i] = static_cast<int>(i);
  return positions.back().x >= 0.0f && corners.back() >= 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "torus" && argc == 4) {
    return WriteModel(argv[2], "1.0", 1, kRing, false, "") && WriteModel(argv[3], "1.1", 1, kRing, true, "") ? 0 : 1;
  }
  if (command == "patches" && argc == 3) {
    return WriteModel(argv[2], "1.0", 8, 50, false, "\tpatch 3\r\n\tsegment 16\r\n") ? 0 : 1;
  }
  if (command == "curved" && argc == 3) {
    return WriteModel(argv[2], "1.0", 1, 316, false, "\tpatch 3\r\n\tsegment 16\r\n") ? 0 : 1;
  }
  if (command == "floor" && argc == 3) return Floor(std::max(1L, std::min(1L << 28, std::atol(argv[2]))));
  if (command == "document" && argc == 3) return DocumentBytes(argv[2]);
  if (command == "spin" && argc == 3) return Spin(std::max(1, std::min(64, std::atoi(argv[2]))));
  std::fprintf(stderr, "usage: process_bench_tool torus TEXT BVERTEX | patches OUT | curved OUT | floor QUADS | document FILE |"
               " spin THREADS\n");
  return 64;
}
