#include "plugin/plugin_manager.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "document/mesh_builder.h"
#include "document/quorix_doc.h"
#include "foundation/program_folders.h"
#include "plugin/api_state.h"
#include "plugin/api_table.h"
#include "plugin/plugin_folders.h"
#include "plugin/trace_log.h"

namespace brimvale {

namespace {

namespace fs = std::filesystem;

std::string ExecutablePath() {
  std::error_code error;
  const fs::path path = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

int MenuBase(PlugInKind kind) {
  switch (kind) {
    case PlugInKind::Create:
      return CPlugInManager::kCreateBase;
    case PlugInKind::Object:
      return CPlugInManager::kObjectBase;
    case PlugInKind::Select:
      return CPlugInManager::kSelectBase;
    default:
      return -1;
  }
}

// Visits the commands of a list in menu order, numbering them from 0 up to
// the menu's limit, so that a plug-in that never ends its list cannot hang the
// menu. visit(plugIn, k, text, n) returns false to stop.
template <typename Visit>
void WalkCommands(const CPlugInManager::PlugInList& list, Visit visit) {
  int n = 0;
  for (const auto& plugIn : list) {
    for (int k = 0; n < CPlugInManager::kCommandsPerKind; ++k) {
      const char* text = plugIn->m_pEnumString(k);
      if (!text || !*text) break;
      if (!visit(*plugIn, k, text, n)) return;
      ++n;
    }
  }
}

}  // namespace

CPlugInManager::CPlugInManager(std::string pluginFolder, std::string programPath)
    : m_strProgramPath(std::move(programPath)) {
  // Referring to the table keeps every exported function in the executable.
  static_cast<void>(ExportedApi());
  m_Roots = pluginFolder.empty() ? PlugInRoots() : std::vector<std::string>{pluginFolder};
  if (m_strProgramPath.empty()) m_strProgramPath = ExecutablePath();
  for (PlugInKind kind : {PlugInKind::Import, PlugInKind::Export, PlugInKind::Create, PlugInKind::Object,
                          PlugInKind::Select}) {
    LoadKind(kind);
  }
  ClearCurrentObject();
}

CPlugInManager::~CPlugInManager() {
  UnloadAll();
  ReleasePlugInObjects();
}

void CPlugInManager::LoadKind(PlugInKind kind) {
  PlugInList& list = m_Lists[Slot(kind)];
  for (const fs::path& file : PlugInFilesOfKind(m_Roots, PlugInFolderName(kind))) {
    std::string why;
    std::unique_ptr<CPlugIn> plugIn = CPlugIn::Load(file.string(), kind, m_strProgramPath, &why);
    if (plugIn) {
      list.push_back(std::move(plugIn));
    } else {
      m_SkipReports.push_back("brimvale: plug-in " + file.string() + " skipped: " + why);
      std::fprintf(stderr, "%s\n", m_SkipReports.back().c_str());
    }
  }
}

void CPlugInManager::UnloadAll() {
  for (PlugInList& list : m_Lists) list.clear();
}

std::vector<CPlugInMenuItem> CPlugInManager::BuildMenu(PlugInKind kind) const {
  std::vector<CPlugInMenuItem> items;
  const int base = MenuBase(kind);
  if (base >= 0) {
    WalkCommands(List(kind), [&](const CPlugIn&, int, const char* text, int n) {
      items.push_back(CPlugInMenuItem{base + n, text, true});
      return true;
    });
  }
  if (items.empty()) items.push_back(CPlugInMenuItem{0, "(none)", false});
  return items;
}

bool CPlugInManager::OnPlugInCommand(int id) {
  BeginPlugInCommand();
  TraceLine("\n\n");
  CQuorixDoc* doc = ActiveDocument();

  PlugInKind kind = PlugInKind::Import;
  for (PlugInKind each : {PlugInKind::Create, PlugInKind::Object, PlugInKind::Select}) {
    if (id >= MenuBase(each) && id < MenuBase(each) + kCommandsPerKind) kind = each;
  }
  bool ran = false;
  if (kind != PlugInKind::Import) {
    const int wanted = id - MenuBase(kind);
    WalkCommands(List(kind), [&](const CPlugIn& plugIn, int k, const char*, int n) {
      if (n != wanted) return true;
      plugIn.CommandEntry(kind)(k, reinterpret_cast<MQDocument>(doc));
      ran = true;
      return false;
    });
  }
  if (!ran && doc) doc->Hub().NotifyAll(NOTIFY_REDRAW);
  TraceLine("DoEnd");
  if (doc) {
    // The plug-in may have changed any object.
    for (const auto& object : doc->m_Objects) {
      CMeshBuilder builder(object.get());
      builder.BuildEdges();
      builder.BuildVertexLinks();
      if (ran) object->DiscardDerived();
    }
  }
  TraceLine("DoEnd2");
  if (ran && doc) doc->UI().RedrawActiveView();
  return ran;
}

}  // namespace brimvale
