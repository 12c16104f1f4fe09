// The glTF export as a user runs it: brimvale-cli export of a generated
// 1,000,000-quad smooth, textured model to .glb, next to brimvale-cli info of
// the same file (reading it alone) in the same run. Each figure is a whole
// child process: wall and CPU seconds and its peak resident memory.
// Targets: export <= 1.5 x info in time; export peak <= info peak + .glb size.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRing = 1000;  // 1000 x 1000 quads on a torus

fs::path Folder() {
  static const fs::path folder = [] {
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    const fs::path made = base / ("brimvale-gltf-bench-" + std::to_string(::getpid()));
    fs::create_directories(made);
    return made;
  }();
  return folder;
}

// A 256 x 256 24-bit BMP checker the model's material names.
void WriteTexture(const fs::path& path) {
  const int side = 256;
  const uint32_t pixels = side * side * 3;
  unsigned char header[54] = {'B', 'M'};
  auto put = [&](int at, uint32_t value) {
    for (int k = 0; k < 4; ++k) header[at + k] = static_cast<unsigned char>(value >> (8 * k));
  };
  put(2, 54 + pixels);
  put(10, 54);
  put(14, 40);
  put(18, side);
  put(22, side);
  header[26] = 1;
  header[28] = 24;
  put(34, pixels);
  std::vector<unsigned char> data(pixels);
  for (int i = 0; i < side * side; ++i) {
    const bool dark = ((i / side / 32) + (i % side / 32)) % 2 != 0;
    data[static_cast<size_t>(i) * 3] = dark ? 40 : 220;
    data[static_cast<size_t>(i) * 3 + 1] = static_cast<unsigned char>(i % side);
    data[static_cast<size_t>(i) * 3 + 2] = static_cast<unsigned char>(i / side);
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(header, 1, sizeof header, f);
  std::fwrite(data.data(), 1, data.size(), f);
  std::fclose(f);
}

const fs::path& Model() {
  static const fs::path model = [] {
    const fs::path path = Folder() / "torus.mqo";
    WriteTexture(Folder() / "checker.bmp");
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fprintf(f,
                 "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\nScene {\r\n\tpos 0.0000 0.0000 1500.0000\r\n"
                 "\tlookat 0.0000 0.0000 0.0000\r\n}\r\nMaterial 1 {\r\n\t\"mat\" col(1.000 1.000 1.000 1.000)"
                 " dif(0.800) amb(0.600) emi(0.000) spc(0.000) power(5.00) tex(\"checker.bmp\")\r\n}\r\n"
                 "Object \"torus\" {\r\n\tvisible 15\r\n\tshading 1\r\n\tfacet 59.5\r\n\tvertex %d {\r\n",
                 kRing * kRing);
    for (int i = 0; i < kRing; ++i) {
      for (int j = 0; j < kRing; ++j) {
        const double a = i * 6.283185307179586 / kRing, b = j * 6.283185307179586 / kRing;
        const double r = 300.0 + 80.0 * std::cos(b);
        std::fprintf(f, "\t\t%.4f %.4f %.4f\r\n", r * std::cos(a), 80.0 * std::sin(b), r * std::sin(a));
      }
    }
    std::fprintf(f, "\t}\r\n\tface %d {\r\n", kRing * kRing);
    for (int i = 0; i < kRing; ++i) {
      for (int j = 0; j < kRing; ++j) {
        const int i1 = (i + 1) % kRing, j1 = (j + 1) % kRing;
        const double u0 = double(i) / kRing, u1 = double(i + 1) / kRing, v0 = double(j) / kRing,
                     v1 = double(j + 1) / kRing;
        std::fprintf(f, "\t\t4 V(%d %d %d %d) M(0) UV(%.5f %.5f %.5f %.5f %.5f %.5f %.5f %.5f)\r\n", i * kRing + j,
                     i * kRing + j1, i1 * kRing + j1, i1 * kRing + j, u0, v0, u0, v1, u1, v1, u1, v0);
      }
    }
    std::fprintf(f, "\t}\r\n}\r\nEof\r\n");
    std::fclose(f);
    std::atexit([] { fs::remove_all(Folder()); });
    return path;
  }();
  return model;
}

fs::path Cli() { return fs::read_symlink("/proc/self/exe").parent_path() / "brimvale-cli"; }

struct ChildRun {
  double wall = 0, cpu = 0;
  double peakMegabytes = 0;
  bool ok = false;
};

ChildRun RunCli(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  const std::string program = Cli().string();
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  ChildRun run;
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  run.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
            static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
  run.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

std::map<std::string, ChildRun> g_Best;

void Measure(benchmark::State& state, const std::string& name, const std::vector<std::string>& args) {
  ChildRun best;
  for (auto _ : state) {
    const ChildRun run = RunCli(args);
    if (!run.ok) {
      state.SkipWithError(("brimvale-cli " + args[0] + " failed").c_str());
      return;
    }
    state.SetIterationTime(run.wall);
    if (best.wall == 0 || run.wall < best.wall) best.wall = run.wall;
    if (best.cpu == 0 || run.cpu < best.cpu) best.cpu = run.cpu;
    best.peakMegabytes = std::max(best.peakMegabytes, run.peakMegabytes);
  }
  state.counters["cpu_s"] = best.cpu;
  state.counters["peak_MB"] = best.peakMegabytes;
  g_Best[name] = best;
}

void BM_InfoOfModel(benchmark::State& state) { Measure(state, "info", {"info", Model().string()}); }
void BM_ExportGlb(benchmark::State& state) {
  Measure(state, "export", {"export", Model().string(), "-o", (Folder() / "torus.glb").string()});
  state.counters["glb_MB"] = static_cast<double>(fs::file_size(Folder() / "torus.glb")) / (1024.0 * 1024.0);
}

BENCHMARK(BM_InfoOfModel)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportGlb)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (g_Best.count("info") && g_Best.count("export")) {
    const ChildRun& info = g_Best["info"];
    const ChildRun& exported = g_Best["export"];
    const double glb = static_cast<double>(fs::file_size(Folder() / "torus.glb")) / (1024.0 * 1024.0);
    std::printf("model %.1f MB, glb %.1f MB\n", static_cast<double>(fs::file_size(Model())) / 1048576.0, glb);
    std::printf("time: export/info wall %.2f, cpu %.2f (target <= 1.5)\n", exported.wall / info.wall,
                exported.cpu / info.cpu);
    std::printf("memory: export peak %.0f MB, info peak + glb %.0f MB (target: export <= that)\n",
                exported.peakMegabytes, info.peakMegabytes + glb);
  }
  return 0;
}
