#include "shell/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "shell/frame_texts.h"
#include "shell/translation.h"

namespace brimvale {

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(FrameText(texts::kAboutTitle));
  setObjectName(QStringLiteral("AboutBox"));

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("icon"));
  icon->setPixmap(QIcon(QStringLiteral(":/icons/brimvale.svg")).pixmap(32, 32));
  icon->setAlignment(Qt::AlignTop);

  auto* text = new QLabel(QString::fromUtf8(texts::kAboutText), this);
  text->setObjectName(QStringLiteral("version"));
  text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  // Icon and text on the left, OK at the top right, as the dialog resource had it.
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(14, 14, 14, 14);
  layout->setSpacing(16);
  layout->addWidget(icon);
  layout->addWidget(text, 1);
  auto* buttonColumn = new QVBoxLayout;
  buttonColumn->addWidget(ok);
  buttonColumn->addStretch(1);
  layout->addLayout(buttonColumn);
  setFixedSize(sizeHint().expandedTo(QSize(326, 90)));
}

}  // namespace brimvale
