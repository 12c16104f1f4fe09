// Hosts the plug-ins in the main window: the manager lives as long as the
// window, the "Create", "Object" and "Select" menus are refilled from it each
// time they open, and command ids the window does not handle go to it.
#include <QMenu>
#include <QObject>

#include <memory>

#include "document/quorix_doc.h"
#include "foundation/text_decoding.h"
#include "plugin/api_state.h"
#include "plugin/plugin_manager.h"
#include "shell/main_frame.h"
#include "shell/quorix_app.h"

namespace brimvale {

namespace {

// Owns the manager as a child of the window, so the plug-ins are unloaded
// with it and before the document goes.
class CPlugInHost : public QObject {
 public:
  explicit CPlugInHost(CMainFrame& frame) : QObject(&frame) {}
  ~CPlugInHost() override {
    m_pManager.reset();
    SetPlugInWindowHandle(nullptr);
    SetActiveDocument(nullptr);
  }
  CPlugInHost(const CPlugInHost&) = delete;
  CPlugInHost& operator=(const CPlugInHost&) = delete;

  std::unique_ptr<CPlugInManager> m_pManager;
};

void FillMenu(CMainFrame& frame, QMenu* menu, const CPlugInManager& manager, PlugInKind kind) {
  for (const CPlugInMenuItem& item : manager.BuildMenu(kind)) {
    // Plug-ins hand out bytes; Japanese ones in CP932.
    const QString text = QString::fromStdString(DecodeName(item.text, false));
    if (item.enabled) {
      frame.AddCommandItem(menu, item.id, text);
    } else {
      menu->addAction(text)->setEnabled(false);
    }
  }
}

const FrameExtensionRegistration registration([](CMainFrame& frame, CQuorixDoc& doc) {
  SetActiveDocument(&doc);
  SetPlugInWindowHandle(static_cast<QWidget*>(&frame));
  auto* host = new CPlugInHost(frame);
  host->m_pManager = std::make_unique<CPlugInManager>();
  CPlugInManager* manager = host->m_pManager.get();

  const std::pair<const char*, PlugInKind> menus[] = {
      {"Create", PlugInKind::Create}, {"Object", PlugInKind::Object}, {"Select", PlugInKind::Select}};
  for (const auto& [title, kind] : menus) {
    frame.AddRefilledMenu(QString::fromLatin1(title), [&frame, manager, kind = kind](QMenu* menu) {
      FillMenu(frame, menu, *manager, kind);
    });
  }
  frame.SetUnhandledCommandHook([&doc, manager](int id) {
    if (id < 0 || id >= 0x10000) return false;
    const bool ran = manager->OnPlugInCommand(id);
    // The command may have added or changed objects: the panel's trees follow.
    if (ran) doc.Hub().NotifyAll(NOTIFY_DOCUMENT_LOADED);
    return ran;
  });
});

}  // namespace

}  // namespace brimvale
