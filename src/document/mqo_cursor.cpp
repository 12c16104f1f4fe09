#include "document/mqo_cursor.h"

#include <locale.h>
#include <stdlib.h>

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

namespace brimvale {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Skips the fraction and exponent of a number written where an integer was
// expected, so "12.5" reads as 12 and leaves nothing behind.
const char* SkipFractionAndExponent(const char* p, const char* end) {
  if (p < end && *p == '.') {
    ++p;
    while (p < end && IsDigit(*p)) ++p;
  }
  if (p < end && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    if (q < end && (*q == '+' || *q == '-')) ++q;
    if (q < end && IsDigit(*q)) {
      while (q < end && IsDigit(*q)) ++q;
      p = q;
    }
  }
  return p;
}

// The rare forms from_chars does not take as strtof does. The copy is bounded
// by the token, and the C locale is used whatever the program's locale is.
const char* ParseWithStrtof(const char* p, const char* end, float& value) {
  const char* stop = p;
  while (stop < end && !IsMqoSpace(*stop)) ++stop;
  const std::string copy(p, stop);
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
  char* after = nullptr;
  const float parsed = strtof_l(copy.c_str(), &after, cLocale);
  if (after == copy.c_str()) return p;
  value = parsed;
  return p + (after - copy.c_str());
}

}  // namespace

const char* ParseMqoFloatSlow(const char* p, const char* end, float& value) {
  const char* start = p;
  if (p < end && *p == '+') {
    ++p;
    if (p < end && (*p == '+' || *p == '-')) return start;
  }
  const char* digits = p < end && *p == '-' ? p + 1 : p;
  if (end - digits > 1 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    return ParseWithStrtof(start, end, value);  // hexadecimal, as strtof reads it
  }
  float parsed = 0.0f;
  const auto result = std::from_chars(p, end, parsed, std::chars_format::general);
  if (result.ptr == p) return start;
  // Overflow and underflow: from_chars leaves the value untouched; take what
  // strtof makes of the same characters (infinity, a denormal or zero).
  if (result.ec == std::errc::result_out_of_range) return ParseWithStrtof(start, result.ptr, value);
  value = parsed;
  return result.ptr;
}

const char* ParseMqoInt(const char* p, const char* end, int& value, int outOfRange) {
  const char* start = p;
  if (p < end && *p == '+') {
    ++p;
    if (p < end && (*p == '+' || *p == '-')) return start;
  }
  int parsed = 0;
  const auto result = std::from_chars(p, end, parsed);
  if (result.ptr == p) return start;
  value = result.ec == std::errc() ? parsed : outOfRange;
  return result.ptr;
}

CMqoCursor::CMqoCursor(std::string_view filled, size_t total, CMqoByteSource* source)
    : m_pBegin(filled.data()),
      m_pPos(filled.data()),
      m_pEnd(filled.data() + filled.size()),
      m_pSafe(m_pEnd),
      m_pLast(filled.data() + (total > filled.size() ? total : filled.size())),
      m_pSource(source) {
  if (m_pEnd < m_pLast) m_pSafe = filled.size() > kLookahead ? m_pEnd - kLookahead : m_pBegin;
}

bool CMqoCursor::Refill(const char* wanted) {
  if (m_pEnd >= m_pLast || !m_pSource) return false;
  if (wanted > m_pLast) wanted = m_pLast;
  const size_t filled = m_pSource->FillTo(static_cast<size_t>(wanted - m_pBegin));
  const size_t total = static_cast<size_t>(m_pLast - m_pBegin);
  if (filled <= static_cast<size_t>(m_pEnd - m_pBegin)) {
    m_pLast = m_pEnd;  // the source failed: read no further
    m_pSafe = m_pEnd;
    return false;
  }
  m_pEnd = m_pBegin + (filled < total ? filled : total);
  m_pSafe = m_pEnd == m_pLast ? m_pEnd : m_pEnd - (filled > kLookahead ? kLookahead : filled);
  return true;
}

size_t CMqoCursor::Available(size_t bytes) {
  const size_t rest = static_cast<size_t>(m_pLast - m_pPos);
  const char* wanted = m_pPos + (bytes < rest ? bytes : rest);
  while (m_pEnd < wanted && Refill(wanted)) {
  }
  const size_t there = static_cast<size_t>(m_pEnd - m_pPos);
  return bytes < there ? bytes : there;
}

bool CMqoCursor::FillToken() {
  const char* p = m_pPos;
  bool grown = false;
  for (;;) {
    while (p < m_pEnd && !IsMqoSpace(*p)) ++p;
    if (p < m_pEnd || !Refill(m_pEnd + 1)) return grown;
    grown = true;
  }
}

void CMqoCursor::SkipWhitespace() {
  while (m_pPos < m_pSafe && IsMqoSpace(*m_pPos)) ++m_pPos;
  if (m_pPos >= m_pSafe) [[unlikely]]
    SkipWhitespaceNearEnd();
}

void CMqoCursor::SkipWhitespaceNearEnd() {
  for (;;) {
    while (m_pPos < m_pEnd && IsMqoSpace(*m_pPos)) ++m_pPos;
    if (m_pPos < m_pSafe || !Refill(m_pEnd + 1)) return;
  }
}

bool CMqoCursor::NextToken(std::string_view& token) {
  SkipWhitespace();
  if (m_pPos >= m_pEnd) return false;
  const char* start = m_pPos;
  do {
    while (m_pPos < m_pEnd && !IsMqoSpace(*m_pPos)) ++m_pPos;
  } while (m_pPos >= m_pEnd && Refill(m_pEnd + 1));
  size_t length = static_cast<size_t>(m_pPos - start);
  if (length > kMaxToken) length = kMaxToken;
  token = std::string_view(start, length);
  return true;
}

bool CMqoCursor::NextNameToken(std::string_view& token) {
  SkipWhitespace();
  if (m_pPos >= m_pEnd) return false;
  if (*m_pPos != '"') return NextToken(token);
  const char* start = m_pPos;
  const char* p = m_pPos + 1;
  do {
    while (p < m_pEnd && *p != '"' && *p != '\n') ++p;
  } while (p >= m_pEnd && Refill(m_pEnd + 1));
  if (p < m_pEnd && *p == '"') {
    m_pPos = p + 1;
    size_t length = static_cast<size_t>(m_pPos - start);
    if (length > kMaxToken) length = kMaxToken;
    token = std::string_view(start, length);
    return true;
  }
  return NextToken(token);  // no closing quote on the line: an ordinary token
}

int CMqoCursor::ReadInt() {
  for (;;) {
    SkipWhitespace();
    if (m_pPos >= m_pEnd || *m_pPos == '{' || *m_pPos == '}') return 0;
    int value = 0;
    const char* after = ParseMqoInt(m_pPos, m_pEnd, value);
    if (after == m_pPos) {
      std::string_view ignored;
      NextToken(ignored);
      return 0;
    }
    after = SkipFractionAndExponent(after, m_pEnd);
    // Near the filled end the number may go on in bytes not there yet.
    if (after >= m_pSafe && FillToken()) continue;
    m_pPos = after;
    return value;
  }
}

float CMqoCursor::ReadFloat() {
  for (;;) {
    SkipWhitespace();
    if (m_pPos >= m_pEnd || *m_pPos == '{' || *m_pPos == '}') return 0.0f;
    float value = 0.0f;
    const char* after = ParseMqoFloat(m_pPos, m_pEnd, value);
    if (after == m_pPos) {
      std::string_view ignored;
      NextToken(ignored);
      return 0.0f;
    }
    if (after >= m_pSafe && FillToken()) continue;
    m_pPos = after;
    return value;
  }
}

std::string_view CMqoCursor::TakeLine() {
  const char* start = m_pPos;
  const char* searched = start;
  const char* newline = nullptr;
  for (;;) {
    newline = static_cast<const char*>(std::memchr(searched, '\n', static_cast<size_t>(m_pEnd - searched)));
    if (newline) break;
    searched = m_pEnd;
    if (!Refill(m_pEnd + 1)) break;
  }
  const char* lineEnd = newline ? newline : m_pEnd;
  const auto* ff = static_cast<const char*>(std::memchr(start, 0xFF, static_cast<size_t>(lineEnd - start)));
  if (ff) {
    m_pPos = ff + 1;
    return std::string_view(start, static_cast<size_t>(ff - start));
  }
  m_pPos = lineEnd;
  return std::string_view(start, static_cast<size_t>(lineEnd - start));
}

void CMqoCursor::SkipPastLineEnd() {
  do {
    while (m_pPos < m_pEnd) {
      const char c = *m_pPos++;
      if (c == '\n' || c == '\f' || c == '\xFF') return;
    }
  } while (Refill(m_pEnd + 1));
}

void CMqoCursor::ReleaseConsumed() {
  if (m_pSource) m_pSource->ReleaseBefore(Offset());
}

}  // namespace brimvale
