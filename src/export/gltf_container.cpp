#include "export/gltf_container.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace brimvale {
namespace {

constexpr uint32_t kMagic = 0x46546C67;      // "glTF"
constexpr uint32_t kJsonChunk = 0x4E4F534A;  // "JSON"
constexpr uint32_t kBinChunk = 0x004E4942;   // "BIN\0"
constexpr uint64_t kMaxGlbLength = UINT32_MAX;

void PutWord(std::string& bytes, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
}

uint64_t Padded(uint64_t length) { return (length + 3) & ~uint64_t{3}; }

// Creates the temporary for path, writes head, lets body add to it and hands
// it to the transaction.
template <typename Body>
bool WriteThrough(CExportTransaction& transaction, const std::string& path, const std::string& head, Body body) {
  std::string temporary;
  const int fd = transaction.CreateTemporary(path, temporary);
  if (fd < 0) return false;
  bool ok = WriteWhole(fd, head.data(), head.size());
  if (!ok) transaction.Fail(path, DescribeFileError("cannot write", path, errno));
  ok = ok && body(fd);
  const bool closed = ::close(fd) == 0;
  if (ok && !closed) {
    transaction.Fail(path, DescribeFileError("cannot write", path, errno));
    ok = false;
  }
  if (!ok) {
    transaction.Discard(temporary);
    return false;
  }
  return transaction.Complete(temporary, path);
}

}  // namespace

bool WriteGlbFile(CExportTransaction& transaction, const std::string& path, const std::string& json,
                  CGltfBinaryStream& bin) {
  if (bin.Failed()) return false;
  const uint64_t jsonLength = Padded(json.size());
  const uint64_t binLength = Padded(bin.Size());
  const uint64_t total = 12 + 8 + jsonLength + (binLength > 0 ? 8 + binLength : 0);
  if (total > kMaxGlbLength) {
    transaction.Fail(path, "cannot write " + path + ": the model is too large for one .glb (4 GiB); write a .gltf");
    return false;
  }
  std::string head;
  head.reserve(static_cast<size_t>(28 + jsonLength));
  PutWord(head, kMagic);
  PutWord(head, 2);
  PutWord(head, static_cast<uint32_t>(total));
  PutWord(head, static_cast<uint32_t>(jsonLength));
  PutWord(head, kJsonChunk);
  head += json;
  head.append(static_cast<size_t>(jsonLength - json.size()), ' ');
  if (binLength > 0) {
    bin.Align(4);
    PutWord(head, static_cast<uint32_t>(binLength));
    PutWord(head, kBinChunk);
  }
  return WriteThrough(transaction, path, head, [&](int fd) { return binLength == 0 || bin.AppendTo(fd, path); });
}

bool WriteGltfTextFile(CExportTransaction& transaction, const std::string& path, const std::string& json) {
  return WriteThrough(transaction, path, json, [](int) { return true; });
}

}  // namespace brimvale
