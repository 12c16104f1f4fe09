// Material and face lines are runs of `name(values)` groups. This splits a line
// into its groups, so that a reader takes the groups it knows and skips every
// other group whole (values and all), whatever letters its name holds.
#pragma once

#include <string_view>

namespace brimvale {

struct CMqoGroup {
  std::string_view name;  // the letters before "(", or a bare word
  std::string_view args;  // between the parentheses; empty for a bare word
  bool hasArgs = false;
};

class CMqoGroupScanner {
 public:
  explicit CMqoGroupScanner(std::string_view line) : m_pPos(line.data()), m_pEnd(line.data() + line.size()) {}
  // The next group; false at the end of the line. A group without its closing
  // parenthesis runs to the end of the line; a ")" inside quotes does not close.
  bool Next(CMqoGroup& group);

 private:
  const char* m_pPos;
  const char* m_pEnd;
};

// Numbers from a group's values, in order; a missing or unreadable number
// reads as 0 (and an unreadable word is stepped over).
class CMqoNumberReader {
 public:
  explicit CMqoNumberReader(std::string_view args) : m_pPos(args.data()), m_pEnd(args.data() + args.size()) {}
  bool AtEnd();  // no more values
  float NextFloat();

 private:
  void SkipSeparators();
  void SkipWord();
  const char* m_pPos;
  const char* m_pEnd;
};

// The text between the double quotes that open `args`; false (nothing read)
// when the values do not start with a double quote.
bool QuotedArgument(std::string_view args, std::string_view& text);

}  // namespace brimvale
