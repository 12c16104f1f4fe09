#include "shell/window_settings.h"

#include <QFileInfo>
#include <QSettings>

#include "document/quorix_doc.h"
#include "shell/display_toggles.h"
#include "shell/main_frame.h"

namespace brimvale {

namespace {

QString ToggleKey(const CDisplayToggle& toggle) { return QStringLiteral("display/%1").arg(toggle.id); }

}  // namespace

QStringList WithRecentFile(QStringList list, const QString& path, int limit) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  list.removeAll(absolute);
  list.prepend(absolute);
  while (list.size() > limit) list.removeLast();
  return list;
}

QStringList WithoutMissingFiles(const QStringList& list, QStringList* removed) {
  QStringList kept;
  for (const QString& path : list) {
    if (QFileInfo(path).isFile()) {
      kept << path;
    } else if (removed) {
      *removed << path;
    }
  }
  return kept;
}

void CWindowSettings::Restore(CMainFrame& frame) const {
  if (m_strFile.isEmpty()) return;
  QSettings settings(m_strFile, QSettings::IniFormat);
  if (settings.contains(QStringLiteral("window/geometry")))
    frame.restoreGeometry(settings.value(QStringLiteral("window/geometry")).toByteArray());
  if (settings.contains(QStringLiteral("window/state")))
    frame.restoreState(settings.value(QStringLiteral("window/state")).toByteArray());
  CQuorixDoc& doc = frame.Doc();
  bool ok = false;
  const uint background = settings.value(QStringLiteral("display/background")).toUInt(&ok);
  if (ok) doc.m_crBackground = background;
  for (const CDisplayToggle& toggle : DisplayToggles()) {
    const QVariant value = settings.value(ToggleKey(toggle));
    if (value.isValid()) doc.Display.*(toggle.flag) = value.toBool();
  }
}

void CWindowSettings::Save(const CMainFrame& frame) const {
  if (m_strFile.isEmpty()) return;
  QSettings settings(m_strFile, QSettings::IniFormat);
  settings.setValue(QStringLiteral("window/geometry"), frame.saveGeometry());
  settings.setValue(QStringLiteral("window/state"), frame.saveState());
  const CQuorixDoc& doc = frame.Doc();
  settings.setValue(QStringLiteral("display/background"), static_cast<uint>(doc.m_crBackground));
  for (const CDisplayToggle& toggle : DisplayToggles())
    settings.setValue(ToggleKey(toggle), doc.Display.*(toggle.flag));
  settings.setValue(QStringLiteral("folders/last"), frame.LastFolder());
}

QStringList CWindowSettings::RecentFiles() const {
  if (m_strFile.isEmpty()) return {};
  return QSettings(m_strFile, QSettings::IniFormat).value(QStringLiteral("files/recent")).toStringList();
}

void CWindowSettings::SetRecentFiles(const QStringList& files) const {
  if (m_strFile.isEmpty()) return;
  QSettings(m_strFile, QSettings::IniFormat).setValue(QStringLiteral("files/recent"), files);
}

QString CWindowSettings::LastFolder() const {
  if (m_strFile.isEmpty()) return {};
  return QSettings(m_strFile, QSettings::IniFormat).value(QStringLiteral("folders/last")).toString();
}

void CWindowSettings::Clear() const {
  if (m_strFile.isEmpty()) return;
  QSettings(m_strFile, QSettings::IniFormat).clear();
}

}  // namespace brimvale
