// Finds, loads and keeps the plug-ins of the five kinds, fills the Create,
// Object and Select menus with their commands and runs the chosen command on
// the active document (see api_state.h).
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "plugin/plugin.h"

namespace brimvale {

// One menu entry, toolkit-free: the GUI turns these into actions.
struct CPlugInMenuItem {
  int id = 0;
  std::string text;  // bytes as the plug-in gave them
  bool enabled = true;
};

class CPlugInManager {
 public:
  using PlugInList = std::vector<std::unique_ptr<CPlugIn>>;

  // Loads every kind from pluginFolder/<Kind>/ (when empty: the program's own
  // Plugins/ folder, then the user's, see PlugInRoots), passing programPath (the
  // executable when empty) to MQInit. Every file that is skipped gets a line on
  // stderr saying why.
  explicit CPlugInManager(std::string pluginFolder = std::string(), std::string programPath = std::string());
  ~CPlugInManager();  // unloads every plug-in
  CPlugInManager(const CPlugInManager&) = delete;
  CPlugInManager& operator=(const CPlugInManager&) = delete;

  // Ids of the commands of each menu: base + running number, below base + 100.
  static constexpr int kCreateBase = 200;
  static constexpr int kObjectBase = 300;
  static constexpr int kSelectBase = 400;
  static constexpr int kCommandsPerKind = 100;

  // The commands of the Create, Object or Select plug-ins, in list order, or
  // one grayed "(none)" when there are none.
  std::vector<CPlugInMenuItem> BuildMenu(PlugInKind kind) const;

  // Runs the command with that menu id on the active document and rebuilds
  // every object's edges and links. True when a plug-in command was called.
  bool OnPlugInCommand(int id);

  // The plug-ins of a kind, in loading order.
  const PlugInList& List(PlugInKind kind) const { return m_Lists[Slot(kind)]; }
  // The lines written to stderr for the files that were skipped.
  const std::vector<std::string>& SkipReports() const { return m_SkipReports; }

 private:
  static size_t Slot(PlugInKind kind) { return static_cast<size_t>(kind) - 1; }
  void LoadKind(PlugInKind kind);
  void UnloadAll();

  std::vector<std::string> m_Roots;  // searched in order, see PlugInFilesOfKind
  std::string m_strProgramPath;
  // Import, Export, Create, Object, Select.
  std::array<PlugInList, 5> m_Lists;
  std::vector<std::string> m_SkipReports;
};

}  // namespace brimvale
