// Helpers shared by the window tests: scripted dialogs and a listener that
// records the document notifications it receives.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

#include "document/notification_hub.h"
#include "shell/frame_dialogs.h"

namespace brimvale::test {

class CScriptedDialogs : public CFrameDialogs {
 public:
  QString openAnswer;  // empty: the user cancels
  QString saveAnswer;
  int openCalls = 0;
  int saveCalls = 0;
  QStringList titles;
  QStringList messages;
  std::vector<bool> errors;

  QString openFolder, saveSuggested;  // where the last dialog started
  QString OpenMqoFile(QWidget* /*parent*/, const QString& folder) override {
    ++openCalls;
    openFolder = folder;
    return openAnswer;
  }
  QString SavePovFile(QWidget* /*parent*/, const QString& suggested) override {
    ++saveCalls;
    saveSuggested = suggested;
    return saveAnswer;
  }
  std::function<void()> onMessage;  // runs while the box would be open
  QString SaveGltfFile(QWidget* /*parent*/, const QString& suggested) override {
    ++saveCalls;
    saveSuggested = suggested;
    return saveAnswer;
  }
  void Message(QWidget* /*parent*/, const QString& text, const QString& title, bool error) override {
    messages << text;
    titles << title;
    errors.push_back(error);
    if (onMessage) onMessage();
  }
};

class CRecordingListener : public CDocListener {
 public:
  std::vector<int> codes;
  void OnDocNotify(int code, uint32_t /*wordParam*/) override { codes.push_back(code); }
  int Count(int code) const {
    int n = 0;
    for (int c : codes) n += c == code ? 1 : 0;
    return n;
  }
};

inline QString DataFile(const char* name) {
  return QStringLiteral(BRIMVALE_SOURCE_DIR "/tests/shell/data/") + QString::fromLatin1(name);
}

}  // namespace brimvale::test
