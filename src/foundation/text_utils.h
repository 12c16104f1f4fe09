// Small text helpers shared by the reader, the exporter, the plug-in host and the
// settings file. Texts are byte strings; every function returns a new string.
#pragma once

#include <string>
#include <string_view>

namespace brimvale {

// The value printed with "%0.<decimals>f" (the float widened to double), so
// FormatFixed(-0.00001f, 4) is "-0.0000".
std::string FormatFixed(float value, int decimals);

// The value in decimal, with a leading minus sign when negative.
std::string IntToString(int value);

// Without the first count characters (fromStart) or the last count characters.
// A count beyond the length gives an empty text; a negative count cuts nothing.
std::string CutChars(std::string_view text, int count, bool fromStart);

// The folder of the running executable, ending with '/'; empty if unknown.
std::string ModuleFolder();

// Lower-case copy of an ASCII text (other bytes unchanged).
std::string AsciiLower(std::string_view text);

}  // namespace brimvale
