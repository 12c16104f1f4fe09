#include "plugin/plugin.h"

#include <dlfcn.h>

#include "foundation/text_utils.h"

namespace brimvale {

namespace {

template <typename Proc>
void LookUp(void* module, const char* name, Proc& proc) {
  // dlsym hands out object pointers; POSIX guarantees they convert to functions.
  proc = reinterpret_cast<Proc>(::dlsym(module, name));
}

// Why a plug-in of the reported kind is unusable; empty when it is usable.
std::string CheckEntryPoints(const CPlugIn& p, PlugInKind folderKind) {
  switch (p.m_nKind) {
    case 1:
      if (!p.m_pEnumFileType || !p.m_pEnumFileExt || !p.m_pImportFile)
        return "an Import plug-in needs MQEnumFileType, MQEnumFileExt and MQImportFile";
      break;
    case 2:
      if (!p.m_pEnumFileType || !p.m_pEnumFileExt || !p.m_pExportFile)
        return "an Export plug-in needs MQEnumFileType, MQEnumFileExt and MQExportFile";
      break;
    case 3:
      if (!p.m_pCreate) return "a Create plug-in needs MQCreate";
      break;
    case 4:
      if (!p.m_pModifyObject) return "an Object plug-in needs MQModifyObject";
      break;
    case 5:
      if (!p.m_pModifySelect) return "a Select plug-in needs MQModifySelect";
      break;
    default:
      return "it reports kind " + IntToString(p.m_nKind) + ", not 1 to 5";
  }
  // The folder decides which entry point its menu calls, so a plug-in of
  // another kind must offer that one too.
  const bool commandsCalled = folderKind == PlugInKind::Create || folderKind == PlugInKind::Object ||
                              folderKind == PlugInKind::Select;
  if (!commandsCalled) return std::string();
  if (!p.CommandEntry(folderKind)) {
    return "it reports kind " + IntToString(p.m_nKind) + " and lacks " +
           (folderKind == PlugInKind::Create   ? "MQCreate"
            : folderKind == PlugInKind::Object ? "MQModifyObject"
                                               : "MQModifySelect") +
           ", which the " + PlugInFolderName(folderKind) + " menu calls";
  }
  if (!p.m_pEnumString) return "it lacks MQEnumString, which lists its commands";
  return std::string();
}

}  // namespace

const char* PlugInFolderName(PlugInKind kind) {
  switch (kind) {
    case PlugInKind::Import:
      return "Import";
    case PlugInKind::Export:
      return "Export";
    case PlugInKind::Create:
      return "Create";
    case PlugInKind::Object:
      return "Object";
    case PlugInKind::Select:
      return "Select";
  }
  return "";
}

CPlugIn::~CPlugIn() {
  if (m_hModule) ::dlclose(m_hModule);
}

MQCreateProc CPlugIn::CommandEntry(PlugInKind folderKind) const {
  switch (folderKind) {
    case PlugInKind::Create:
      return m_pCreate;
    case PlugInKind::Object:
      return m_pModifyObject;
    case PlugInKind::Select:
      return m_pModifySelect;
    default:
      return nullptr;
  }
}

std::unique_ptr<CPlugIn> CPlugIn::Load(const std::string& path, PlugInKind folderKind,
                                       const std::string& programPath, std::string* why) {
  // Resolving every symbol now makes a plug-in that imports a function this
  // program does not export fail here rather than in the middle of a command.
  void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module) {
    const char* error = ::dlerror();
    *why = std::string("it cannot be loaded: ") + (error ? error : "unknown error");
    return nullptr;
  }
  auto p = std::make_unique<CPlugIn>();
  p->m_hModule = module;
  p->m_strPath = path;
  LookUp(module, "MQCheckVersion", p->m_pCheckVersion);
  LookUp(module, "MQInit", p->m_pInit);
  LookUp(module, "MQGetPlugInName", p->m_pGetPlugInName);
  LookUp(module, "MQGetPlugInID", p->m_pGetPlugInID);
  LookUp(module, "MQGetPlugInType", p->m_pGetPlugInType);
  LookUp(module, "MQEnumString", p->m_pEnumString);
  LookUp(module, "MQEnumFileType", p->m_pEnumFileType);
  LookUp(module, "MQEnumFileExt", p->m_pEnumFileExt);
  LookUp(module, "MQExportFile", p->m_pExportFile);
  LookUp(module, "MQImportFile", p->m_pImportFile);
  LookUp(module, "MQCreate", p->m_pCreate);
  LookUp(module, "MQModifyObject", p->m_pModifyObject);
  LookUp(module, "MQModifySelect", p->m_pModifySelect);

  // Each call is made when present, whatever the earlier ones returned.
  const uint32_t version = p->m_pCheckVersion ? p->m_pCheckVersion(MQ_INTERFACE_VERSION) : 0;
  const int initialised = p->m_pInit ? p->m_pInit(programPath.c_str()) : 0;
  if (p->m_pGetPlugInType) p->m_nKind = p->m_pGetPlugInType();

  if (!p->m_pCheckVersion || !p->m_pInit || !p->m_pGetPlugInType) {
    *why = std::string("it lacks ") +
           (!p->m_pCheckVersion ? "MQCheckVersion" : !p->m_pInit ? "MQInit" : "MQGetPlugInType");
  } else if (version == 0) {
    *why = "its version check refused interface version 0x2100";
  } else if (initialised == 0) {
    *why = "its MQInit failed";
  } else {
    *why = CheckEntryPoints(*p, folderKind);
  }
  if (!why->empty()) return nullptr;  // the destructor unloads it
  return p;
}

}  // namespace brimvale
