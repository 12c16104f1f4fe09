// The binary buffer of a glTF export, written as it is produced into a
// temporary file of the export's transaction: the .bin beside a .gltf, or a
// scratch file that the .glb container copies into its BIN chunk. Memory stays
// one fixed buffer whatever the model's size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "export/export_transaction.h"

namespace brimvale {

class CGltfBinaryStream {
 public:
  // target is the file the stream becomes (.bin) or the file its failures are
  // reported for (.glb).
  CGltfBinaryStream(CExportTransaction& transaction, std::string target);
  ~CGltfBinaryStream();  // a stream not completed is discarded
  CGltfBinaryStream(const CGltfBinaryStream&) = delete;
  CGltfBinaryStream& operator=(const CGltfBinaryStream&) = delete;

  bool Failed() const { return m_bFailed; }
  uint64_t Size() const { return m_nFlushed + m_nUsed; }

  void Write(const void* data, size_t size);
  void PutFloat(float value) { Write(&value, sizeof value); }
  // Zero bytes up to the next multiple of alignment.
  void Align(size_t alignment);

  void PutWord(uint32_t value) { Write(&value, sizeof value); }

  // Passes bytes [from, from + length) to sink in pieces (after a flush).
  // False (recorded) when they cannot be read back.
  template <typename Sink>
  bool Read(uint64_t from, uint64_t length, Sink sink);
  // Empties the stream for reuse (a scratch file).
  void Rewind();

  // The stream is the .bin file: flushed, closed and queued for the rename.
  bool Complete();
  // The stream is the .glb's BIN chunk: its whole content is appended to fd,
  // then the scratch file is removed. False (recorded) on a failed copy.
  bool AppendTo(int fd, const std::string& fdTarget);

 private:
  static constexpr size_t kBufferSize = size_t{1} << 20;
  void Flush();
  // One piece for Read: bytes read into buffer, or -1 (recorded).
  long ReadPiece(uint64_t from, size_t length, unsigned char* buffer);
  void Fail(const std::string& target, int error);

  CExportTransaction& m_Transaction;
  std::string m_strTarget;
  std::string m_strTemporary;
  int m_fd = -1;
  bool m_bFailed = false;
  std::unique_ptr<unsigned char[]> m_pBuffer;
  size_t m_nUsed = 0;
  uint64_t m_nFlushed = 0;
};

template <typename Sink>
bool CGltfBinaryStream::Read(uint64_t from, uint64_t length, Sink sink) {
  Flush();
  std::unique_ptr<unsigned char[]> piece(new unsigned char[kBufferSize]);
  while (length > 0 && !m_bFailed) {
    const long got = ReadPiece(from, length < kBufferSize ? static_cast<size_t>(length) : kBufferSize, piece.get());
    if (got <= 0) break;
    sink(piece.get(), static_cast<size_t>(got));
    from += static_cast<uint64_t>(got);
    length -= static_cast<uint64_t>(got);
  }
  return !m_bFailed;
}

// Writes all of size bytes to fd; false with errno set (ENOSPC for a write
// that makes no progress).
bool WriteWhole(int fd, const void* data, size_t size);

}  // namespace brimvale
