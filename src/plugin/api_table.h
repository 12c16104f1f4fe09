// Every function the program exports to plug-ins, by name. The plug-in manager
// refers to this table, which keeps all of them in any executable that hosts
// plug-ins even though the core is a static library.
#pragma once

#include <span>

namespace brimvale {

struct CExportedFunction {
  const char* name;
  void (*address)();
};

std::span<const CExportedFunction> ExportedApi();

}  // namespace brimvale
