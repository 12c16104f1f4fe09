// Reading position in the bytes of a Metasequoia document: whitespace-separated
// tokens, numbers, and the line and binary access the format needs. Every read
// is bounded by the end of the bytes; nothing here allocates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace brimvale {

// The owner of the bytes. It may drop what the reader has passed (a large file
// then never sits in memory whole beside the document built from it), and it
// may fill the bytes in only as the reader comes to them (a model inflated from
// an archive), always in one range of memory, so what the reader holds stays put.
class CMqoByteSource {
 public:
  virtual ~CMqoByteSource() = default;
  virtual void ReleaseBefore(size_t offset) = 0;
  // Fills the bytes up to at least `offset` where they reach that far, and
  // returns how many are filled now; no more than before means none will come.
  virtual size_t FillTo(size_t offset) = 0;
};

class CMqoCursor {
 public:
  // Longer tokens are cut to this length; the rest of the token is skipped.
  static constexpr size_t kMaxToken = 4096;

  explicit CMqoCursor(std::string_view bytes, CMqoByteSource* source = nullptr)
      : CMqoCursor(bytes, bytes.size(), source) {}
  // Bytes of which only the first `filled.size()` of `total` are there yet:
  // the rest is asked of `source` as the reader comes to it.
  CMqoCursor(std::string_view filled, size_t total, CMqoByteSource* source);

  bool AtEnd() { return m_pPos >= m_pEnd && !Refill(m_pEnd + 1); }
  size_t Offset() const { return static_cast<size_t>(m_pPos - m_pBegin); }
  // The bytes from here to the end, counting those not filled in yet: a bound
  // for what a count read from the bytes may reserve.
  size_t Remaining() const { return static_cast<size_t>(m_pLast - m_pPos); }
  const char* Position() const { return m_pPos; }
  void SetPosition(const char* p) { m_pPos = p < m_pEnd ? p : m_pEnd; }
  // Whether bytes are still to be filled in by the source.
  bool Streaming() const { return m_pEnd < m_pLast; }
  // Makes up to `bytes` bytes from the position readable at Position();
  // returns how many are (fewer only at the end of the bytes).
  size_t Available(size_t bytes);

  // Next whitespace-separated token; false at the end of the bytes.
  bool NextToken(std::string_view& token);
  // Like NextToken, but a token that opens with a double quote runs to the
  // closing quote on the same line, so quoted names may hold blanks.
  bool NextNameToken(std::string_view& token);

  // Formatted number reads: leading whitespace is skipped and the number is
  // taken from the front of the next token. A token that does not start with
  // a number is consumed and reads as 0; so do out-of-range integers. What
  // follows the number in the same token (a brace, say) stays for the next read.
  int ReadInt();
  float ReadFloat();

  void SkipWhitespace();
  // The current line up to, not including, its newline; the cursor moves to
  // the newline (which stays for the next read). A 0xFF byte also ends the
  // line and is consumed.
  std::string_view TakeLine();
  // Skips past the next newline or form feed (or to the end).
  void SkipPastLineEnd();

  // Tells the byte source that everything before the current line is done.
  void ReleaseConsumed();

 private:
  // Bytes filled in ahead of a token's start: a number that ends within this
  // distance of the filled end may be cut short and is read again once the
  // rest of its token is there.
  static constexpr size_t kLookahead = 4096;

  // Asks the source for the bytes up to `wanted` (at least one more); false
  // when none came (the end of the bytes, or the source failed).
  bool Refill(const char* wanted);
  void SkipWhitespaceNearEnd();
  // Fills the rest of the token at the position; false when nothing came.
  bool FillToken();

  const char* m_pBegin;
  const char* m_pPos;
  const char* m_pEnd;   // of the bytes filled in
  const char* m_pSafe;  // a read starting before it has kLookahead bytes, or all there are
  const char* m_pLast;  // of all the bytes, filled or not
  CMqoByteSource* m_pSource;
};

inline bool IsMqoSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Number conversions shared with the line parsers: parse from [p, end), return
// the position after the number, or p itself when no number starts there.
// Floats are correctly rounded (the same bits as strtof).
const char* ParseMqoFloatSlow(const char* p, const char* end, float& value);

// Clinger's fast path for the plain decimals model files are made of
// ("-123.4567"): with at most 7 significant digits and at most 10 decimals,
// both the digits and the power of ten are exact floats, so one division gives
// the correctly rounded result, the same bits as strtof. Anything else returns
// null and goes to from_chars.
inline const char* ParsePlainDecimal(const char* p, const char* end, float& value) {
  static constexpr float kPowersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  uint32_t digits = 0;
  int count = 0;
  int decimals = 0;
  const char* start = p;
  while (p < end && (*p >= '0' && *p <= '9')) {
    digits = digits * 10 + static_cast<uint32_t>(*p++ - '0');
    if (digits != 0 && ++count > 7) return nullptr;
  }
  const bool integerPart = p > start;
  if (p < end && *p == '.') {
    ++p;
    const char* fraction = p;
    while (p < end && (*p >= '0' && *p <= '9')) {
      digits = digits * 10 + static_cast<uint32_t>(*p++ - '0');
      if (digits != 0 && ++count > 7) return nullptr;
    }
    decimals = static_cast<int>(p - fraction);
    if (decimals > 10 || (!integerPart && decimals == 0)) return nullptr;
  } else if (!integerPart) {
    return nullptr;
  }
  if (p < end && (*p == 'e' || *p == 'E' || *p == 'x' || *p == 'X' || *p == 'n' || *p == 'N' || *p == 'i' ||
                  *p == 'I')) {
    return nullptr;  // exponents and the special forms take the full path
  }
  // Below 2^24 every digit string of up to seven digits is an exact float.
  const float magnitude = static_cast<float>(digits) / kPowersOfTen[decimals];
  value = negative ? -magnitude : magnitude;
  return p;
}

inline const char* ParseMqoFloat(const char* p, const char* end, float& value) {
  if (const char* fast = ParsePlainDecimal(p, end, value)) return fast;
  return ParseMqoFloatSlow(p, end, value);
}

// An integer too large for int gives `outOfRange` (0 unless the caller needs
// a value that cannot pass for a real one, such as -1 for a vertex index).
const char* ParseMqoInt(const char* p, const char* end, int& value, int outOfRange = 0);

}  // namespace brimvale
