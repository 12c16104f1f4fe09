#include "shell/x11_lock_keys.h"

#include <X11/XKBlib.h>

namespace brimvale {

namespace {

bool IndicatorOn(Display* display, const char* name) {
  const Atom atom = XInternAtom(display, name, True);
  if (atom == None) return false;
  Bool on = False;
  if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return false;
  return on;
}

}  // namespace

bool ReadX11LockKeys(void* display, CLockKeyStates* states) {
  if (!display || !states) return false;
  auto* x = static_cast<Display*>(display);
  states->caps = IndicatorOn(x, "Caps Lock");
  states->num = IndicatorOn(x, "Num Lock");
  states->scroll = IndicatorOn(x, "Scroll Lock");
  return true;
}

}  // namespace brimvale
