// A Select plug-in that examines the window of the program that loaded it:
// once the event loop runs, it opens the plug-in menus as a user would, writes
// what they list to the file named by BRIMVALE_PROBE_OUT, chooses "Cube" from
// the Create menu, writes the document's objects through the API and ends the
// program. Without BRIMVALE_PROBE_OUT it does nothing. Used by the tests only.
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "brimvale/mq_plugin.h"

namespace {

QAction* FindItem(QMenu* menu, const QString& text) {
  for (QAction* action : menu->actions()) {
    if (action->text() == text) return action;
  }
  return nullptr;
}

void Probe(QMainWindow* window, const char* outPath) {
  std::FILE* out = std::fopen(outPath, "w");
  if (!out) return;
  QMenu* create = nullptr;
  for (QAction* top : window->menuBar()->actions()) {
    QMenu* menu = top->menu();
    if (!menu) continue;
    const QString title = top->text();
    if (title != "Create" && title != "Object" && title != "Select") continue;
    emit menu->aboutToShow();  // the menu fills itself as it opens
    std::fprintf(out, "%s:", title.toUtf8().constData());
    for (QAction* action : menu->actions()) {
      std::fprintf(out, " [%s%s]", action->text().toUtf8().constData(), action->isEnabled() ? "" : " grayed");
    }
    std::fprintf(out, "\n");
    if (title == "Create") create = menu;
  }
  QAction* cube = create ? FindItem(create, "Cube") : nullptr;
  if (cube) cube->trigger();
  const int objects = MQDoc_GetObjectCount(nullptr);
  std::fprintf(out, "objects: %d\n", objects);
  for (int i = 0; i < objects; ++i) {
    MQObject obj = MQDoc_GetObject(nullptr, i);
    std::fprintf(out, "object %d: %d vertices, %d faces\n", i, MQObj_GetVertexCount(obj), MQObj_GetFaceCount(obj));
  }
  std::fclose(out);
  QApplication::quit();
}

}  // namespace

extern "C" {

uint32_t MQCheckVersion(uint32_t exe_version) { return exe_version; }

int MQInit(const char*) {
  auto* window = qobject_cast<QMainWindow*>(static_cast<QWidget*>(MQ_GetWindowHandle()));
  const char* outPath = std::getenv("BRIMVALE_PROBE_OUT");
  if (window && outPath) QTimer::singleShot(0, window, [window, outPath] { Probe(window, outPath); });
  return 1;
}

int MQGetPlugInType(void) { return MQ_PLUGIN_TYPE_SELECT; }

const char* MQEnumString(int index) { return index == 0 ? "Menu probe" : nullptr; }

int MQModifySelect(int, MQDocument) { return 1; }

}  // extern "C"
