// The baseline of bench/run_process_bench.sh: a plain program that reads a
// model's text with fgets and sscanf into plain arrays, as a naive reader
// would. It allocates through plain malloc (its own operator new below), so
// the project's huge-page operator new does not speed it up.
//   naive_reader FILE
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

void* operator new(std::size_t size) {
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

namespace {

// The baseline: the text read line by line with fgets and sscanf into plain arrays.
int ReadWithSscanf(const char* path) {
  FILE* f = std::fopen(path, "rb");
  if (!f) return 1;
  std::vector<float> positions, uv;
  std::vector<int> indices, materials;
  char line[1024];
  enum { kOther, kVertex, kFace } section = kOther;
  while (std::fgets(line, sizeof line, f)) {
    if (section == kVertex) {
      float x, y, z;
      if (std::sscanf(line, "%f %f %f", &x, &y, &z) == 3) {
        positions.insert(positions.end(), {x, y, z});
      } else {
        section = kOther;
      }
    } else if (section == kFace) {
      int n, a, b, c, d, m;
      float t[8];
      if (std::sscanf(line, "%d V(%d %d %d %d) M(%d) UV(%f %f %f %f %f %f %f %f)", &n, &a, &b, &c, &d, &m, &t[0],
                      &t[1], &t[2], &t[3], &t[4], &t[5], &t[6], &t[7]) == 14) {
        indices.insert(indices.end(), {a, b, c, d});
        materials.push_back(m);
        uv.insert(uv.end(), t, t + 8);
      } else {
        section = kOther;
      }
    } else {
      int count;
      if (std::sscanf(line, " vertex %d", &count) == 1) {
        positions.reserve(3 * static_cast<size_t>(count));
        section = kVertex;
      } else if (std::sscanf(line, " face %d", &count) == 1) {
        indices.reserve(4 * static_cast<size_t>(count));
        uv.reserve(8 * static_cast<size_t>(count));
        materials.reserve(static_cast<size_t>(count));
        section = kFace;
      }
    }
  }
  std::fclose(f);
  std::printf("vertices %zu quads %zu\n", positions.size() / 3, materials.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: naive_reader FILE\n");
    return 64;
  }
  return ReadWithSscanf(argv[1]);
}
