// One text file of an export: buffered writes into a temporary file of an
// export transaction, handed back for the rename when closed. After the first
// failed write every further write is dropped and the transaction knows why.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "export/export_transaction.h"
#include "export/printf_number.h"

namespace brimvale {

class CExportTextFile {
 public:
  CExportTextFile(CExportTransaction& transaction, std::string target);
  ~CExportTextFile();  // an unclosed file is discarded
  CExportTextFile(const CExportTextFile&) = delete;
  CExportTextFile& operator=(const CExportTextFile&) = delete;

  bool IsOpen() const { return m_fd >= 0; }
  const std::string& Target() const { return m_strTarget; }
  // The export this file belongs to; images converted for it go there too.
  CExportTransaction& Transaction() const { return m_Transaction; }

  void Text(std::string_view text) {
    if (text.size() > kBufferSize - m_nUsed) {
      Flush();
      if (text.size() > kBufferSize) {
        WriteDirect(text);
        return;
      }
    }
    text.copy(m_pBuffer.get() + m_nUsed, text.size());
    m_nUsed += text.size();
  }
  void Char(char c) {
    if (m_nUsed == kBufferSize) Flush();
    m_pBuffer[m_nUsed++] = c;
  }
  // "%0.<decimals>f" of the value (a float widened to double) and "%d".
  void Fixed(float value, int decimals) {
    Reserve();
    m_nUsed = static_cast<size_t>(WritePrintfFixed(m_pBuffer.get() + m_nUsed, value, decimals) - m_pBuffer.get());
  }
  void Fixed(double value, int decimals) {
    Reserve();
    m_nUsed = static_cast<size_t>(WritePrintfFixed(m_pBuffer.get() + m_nUsed, value, decimals) - m_pBuffer.get());
  }
  void Int(int value) {
    Reserve();
    m_nUsed = static_cast<size_t>(WritePrintfInt(m_pBuffer.get() + m_nUsed, value) - m_pBuffer.get());
  }
  // printf-style text for the short, fixed lines of the scene and materials.
  void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));

  // Writes what is buffered, syncs and closes the file and queues it for the
  // transaction's rename. Returns false (the transaction knows why) on failure.
  bool Close();

 private:
  static constexpr size_t kBufferSize = size_t{1} << 20;

  void Reserve() {
    if (kBufferSize - m_nUsed < kMaxNumberChars) Flush();
  }
  void Flush();
  void WriteDirect(std::string_view text);

  CExportTransaction& m_Transaction;
  std::string m_strTarget;
  std::string m_strTemporary;
  int m_fd = -1;
  bool m_bFailed = false;
  std::unique_ptr<char[]> m_pBuffer;
  size_t m_nUsed = 0;
};

}  // namespace brimvale
