// Lock-key states from the X keyboard extension, kept apart from Qt code
// because Xlib's macros (None, KeyRelease, ...) clash with Qt's names.
#pragma once

namespace brimvale {

struct CLockKeyStates {
  bool caps = false;
  bool num = false;
  bool scroll = false;
};

// `display` is the Xlib Display of the running program; false when it is null
// or the server has no keyboard extension.
bool ReadX11LockKeys(void* display, CLockKeyStates* states);

}  // namespace brimvale
