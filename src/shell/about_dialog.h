// The About box: program icon, "Brimvale Version 2.1" and OK.
#pragma once

#include <QDialog>

namespace brimvale {

class CAboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDialog(QWidget* parent = nullptr);
};

}  // namespace brimvale
