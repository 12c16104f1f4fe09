// Helpers shared by the side-panel tests: models written as Metasequoia text,
// a listener that records notifications, and dialogs that answer at once.
#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "document/mqo_reader.h"
#include "document/quorix_doc.h"
#include "panel/panel_dialogs.h"

namespace brimvale::test {

class RecordingListener : public CDocListener {
 public:
  void OnDocNotify(int code, uint32_t /*word*/) override { codes.push_back(code); }
  int Count(int code) const {
    int n = 0;
    for (int c : codes) n += c == code ? 1 : 0;
    return n;
  }
  std::vector<int> codes;
};

class ScriptedDialogs : public CPanelDialogs {
 public:
  QString OpenFile(QWidget* /*parent*/, const QString& filter) override {
    lastFilter = filter;
    return fileAnswer;
  }
  QString ChooseFolder(QWidget* /*parent*/, const QString& title) override {
    lastTitle = title;
    return folderAnswer;
  }
  QString fileAnswer;
  QString folderAnswer;
  QString lastFilter;
  QString lastTitle;
};

// A slab `width` wide (x), `depth` deep (z) and `height` high (y, from 0 up),
// cut into `rows` bands of quads so that bending and twisting show, closed at
// both ends; one object named `name`.
inline std::string SlabObjectText(const std::string& name, float width, float depth, float height, int rows) {
  const float hx = width / 2.0f;
  const float hz = depth / 2.0f;
  std::string text = "Object \"" + name +
                     "\" {\n\tshading 1\n\tfacet 59.5\n\tcolor 0.900 0.600 0.200\n\tvertex " +
                     std::to_string(4 * (rows + 1)) + " {\n";
  for (int r = 0; r <= rows; ++r) {
    const float y = height * static_cast<float>(r) / static_cast<float>(rows);
    const float ring[4][2] = {{-hx, -hz}, {hx, -hz}, {hx, hz}, {-hx, hz}};
    for (const auto& corner : ring) {
      text += "\t\t" + std::to_string(corner[0]) + " " + std::to_string(y) + " " + std::to_string(corner[1]) +
              "\n";
    }
  }
  text += "\t}\n\tface " + std::to_string(4 * rows + 2) + " {\n";
  for (int r = 0; r < rows; ++r) {
    for (int side = 0; side < 4; ++side) {
      const int a = 4 * r + side;
      const int b = 4 * r + (side + 1) % 4;
      text += "\t\t4 V(" + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(b + 4) + " " +
              std::to_string(a + 4) + ")\n";
    }
  }
  text += "\t\t4 V(3 2 1 0)\n";
  const int top = 4 * rows;
  text += "\t\t4 V(" + std::to_string(top) + " " + std::to_string(top + 1) + " " + std::to_string(top + 2) +
          " " + std::to_string(top + 3) + ")\n\t}\n}\n";
  return text;
}

inline std::string DocumentText(const std::string& materials, const std::string& objects) {
  return "Metasequoia Document\nFormat Text Ver 1.0\n\n" + materials + objects + "Eof\n";
}

// Reads text into doc and announces the load as the open command does.
inline bool LoadText(CQuorixDoc& doc, const std::string& text) {
  const bool ok = ReadMqoBuffer(doc, text);
  doc.Hub().NotifyAll(NOTIFY_DOCUMENT_LOADED);
  return ok;
}

}  // namespace brimvale::test
