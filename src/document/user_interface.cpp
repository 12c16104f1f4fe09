#include "document/user_interface.h"

#include <cstdio>

namespace brimvale {

void CUserInterface::MessageBox(const std::string& text, const std::string& caption) {
  if (caption.empty()) {
    std::fprintf(stderr, "%s\n", text.c_str());
  } else {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  }
}

CUserInterface& ConsoleUserInterface() {
  static CUserInterface console;
  return console;
}

}  // namespace brimvale
