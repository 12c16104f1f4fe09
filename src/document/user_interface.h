// What the document needs from a user interface: a message box, the wait
// cursor and an immediate redraw of the active view. The GUI implements it
// with Qt; the default prints messages to stderr and ignores the rest.
#pragma once

#include <string>

namespace brimvale {

class CUserInterface {
 public:
  virtual ~CUserInterface() = default;
  virtual void MessageBox(const std::string& text, const std::string& caption);
  virtual void BeginWaitCursor() {}
  virtual void EndWaitCursor() {}
  virtual void RedrawActiveView() {}
};

// The process-wide console implementation used when none is set.
CUserInterface& ConsoleUserInterface();

}  // namespace brimvale
