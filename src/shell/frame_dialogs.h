// The dialogs the main window's commands open (files, message boxes), behind an
// interface so the tests can answer them without a user.
#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace brimvale {

class CFrameDialogs {
 public:
  virtual ~CFrameDialogs() = default;
  // A Metasequoia file to open (.mqo, also .mqoz), or empty when cancelled;
  // the dialog starts in folder (Qt's choice when empty).
  virtual QString OpenMqoFile(QWidget* parent, const QString& folder);
  // A .pov path to write (the user confirmed overwriting), or empty when
  // cancelled; the dialog starts at suggested (folder and name).
  virtual QString SavePovFile(QWidget* parent, const QString& suggested);
  // A .glb or .gltf path to write (overwriting confirmed), or empty when
  // cancelled; the dialog starts at suggested (folder and name).
  virtual QString SaveGltfFile(QWidget* parent, const QString& suggested);
  // A .png path to write and the picture's size (starting at `size`, the
  // view's), or an empty path when cancelled.
  virtual QString SavePictureFile(QWidget* parent, const QString& suggested, QSize& size);
  // A modal box with an OK button; error boxes get the critical icon.
  virtual void Message(QWidget* parent, const QString& text, const QString& title, bool error);
};

CFrameDialogs& DefaultFrameDialogs();

}  // namespace brimvale
