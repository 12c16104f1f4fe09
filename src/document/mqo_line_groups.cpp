#include "document/mqo_line_groups.h"

#include "document/mqo_cursor.h"

namespace brimvale {

namespace {
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}
}  // namespace

bool CMqoGroupScanner::Next(CMqoGroup& group) {
  while (m_pPos < m_pEnd && IsBlank(*m_pPos)) ++m_pPos;
  if (m_pPos >= m_pEnd) return false;
  const char* nameStart = m_pPos;
  while (m_pPos < m_pEnd && *m_pPos != '(' && !IsBlank(*m_pPos)) ++m_pPos;
  group.name = std::string_view(nameStart, static_cast<size_t>(m_pPos - nameStart));
  const char* afterName = m_pPos;
  while (m_pPos < m_pEnd && IsBlank(*m_pPos)) ++m_pPos;
  if (m_pPos >= m_pEnd || *m_pPos != '(') {
    m_pPos = afterName;
    group.args = {};
    group.hasArgs = false;
    if (group.name.empty()) ++m_pPos;  // cannot happen for a non-blank byte, but never stall
    return true;
  }
  const char* argsStart = ++m_pPos;
  bool quoted = false;
  while (m_pPos < m_pEnd && (quoted || *m_pPos != ')')) {
    if (*m_pPos == '"') quoted = !quoted;
    ++m_pPos;
  }
  group.args = std::string_view(argsStart, static_cast<size_t>(m_pPos - argsStart));
  group.hasArgs = true;
  if (m_pPos < m_pEnd) ++m_pPos;  // the ")"
  return true;
}

void CMqoNumberReader::SkipSeparators() {
  while (m_pPos < m_pEnd && (IsBlank(*m_pPos) || *m_pPos == ',')) ++m_pPos;
}

void CMqoNumberReader::SkipWord() {
  while (m_pPos < m_pEnd && !IsBlank(*m_pPos) && *m_pPos != ',') ++m_pPos;
}

bool CMqoNumberReader::AtEnd() {
  SkipSeparators();
  return m_pPos >= m_pEnd;
}

float CMqoNumberReader::NextFloat() {
  SkipSeparators();
  float value = 0.0f;
  const char* after = ParseMqoFloat(m_pPos, m_pEnd, value);
  if (after == m_pPos) {
    SkipWord();
    return 0.0f;
  }
  m_pPos = after;
  return value;
}

bool QuotedArgument(std::string_view args, std::string_view& text) {
  size_t start = 0;
  while (start < args.size() && IsBlank(args[start])) ++start;
  if (start >= args.size() || args[start] != '"') return false;
  const size_t close = args.find('"', start + 1);
  const size_t end = close == std::string_view::npos ? args.size() : close;
  text = args.substr(start + 1, end - start - 1);
  return true;
}

}  // namespace brimvale
