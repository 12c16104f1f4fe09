// The dialogs the main window's commands open (files, message boxes), behind an
// interface so the tests can answer them without a user.
#pragma once

#include <QString>

class QWidget;

namespace brimvale {

class CFrameDialogs {
 public:
  virtual ~CFrameDialogs() = default;
  // A Metasequoia file to open (.mqo, also .mqoz), or empty when cancelled.
  virtual QString OpenMqoFile(QWidget* parent);
  // A .pov path to write (the user confirmed overwriting), or empty when cancelled.
  virtual QString SavePovFile(QWidget* parent);
  // A .glb or .gltf path to write (overwriting confirmed), or empty when cancelled.
  virtual QString SaveGltfFile(QWidget* parent);
  // A modal box with an OK button; error boxes get the critical icon.
  virtual void Message(QWidget* parent, const QString& text, const QString& title, bool error);
};

CFrameDialogs& DefaultFrameDialogs();

}  // namespace brimvale
