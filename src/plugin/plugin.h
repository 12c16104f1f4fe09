// One loaded plug-in: the shared object's handle, the kind it reported and
// the addresses of its thirteen entry points (null where it exports none).
#pragma once

#include <memory>
#include <string>

#include "brimvale/mq_plugin.h"

namespace brimvale {

enum class PlugInKind { Import = 1, Export = 2, Create = 3, Object = 4, Select = 5 };

// The sub-folder of Plugins/ that holds the plug-ins of a kind.
const char* PlugInFolderName(PlugInKind kind);

class CPlugIn {
 public:
  CPlugIn() = default;
  ~CPlugIn();  // unloads the shared object
  CPlugIn(const CPlugIn&) = delete;
  CPlugIn& operator=(const CPlugIn&) = delete;

  // Loads the file as found in the folder of folderKind, checks its version
  // with MQ_INTERFACE_VERSION, initialises it with programPath and asks its
  // kind. Null when it is unusable, with the reason in *why; an unusable file
  // is unloaded at once.
  static std::unique_ptr<CPlugIn> Load(const std::string& path, PlugInKind folderKind,
                                       const std::string& programPath, std::string* why);

  // The command entry point that the menus of folderKind call: MQCreate,
  // MQModifyObject or MQModifySelect; null for Import and Export.
  MQCreateProc CommandEntry(PlugInKind folderKind) const;

  void* m_hModule = nullptr;
  int m_nKind = 0;
  MQCheckVersionProc m_pCheckVersion = nullptr;
  MQInitProc m_pInit = nullptr;
  MQGetPlugInNameProc m_pGetPlugInName = nullptr;
  MQGetPlugInIDProc m_pGetPlugInID = nullptr;
  MQGetPlugInTypeProc m_pGetPlugInType = nullptr;
  MQEnumStringProc m_pEnumString = nullptr;
  MQEnumFileTypeProc m_pEnumFileType = nullptr;
  MQEnumFileExtProc m_pEnumFileExt = nullptr;
  MQExportFileProc m_pExportFile = nullptr;
  MQImportFileProc m_pImportFile = nullptr;
  MQCreateProc m_pCreate = nullptr;
  MQModifyObjectProc m_pModifyObject = nullptr;
  MQModifySelectProc m_pModifySelect = nullptr;
  std::string m_strPath;  // the file it was loaded from
};

}  // namespace brimvale
