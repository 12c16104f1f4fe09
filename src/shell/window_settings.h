// What the window remembers between runs, kept with Qt's settings in a file
// beside brimvale.ini: the window's geometry and the side panel's width, the
// background colour, the display toggles, the last folders and the recent files.
#pragma once

#include <QString>
#include <QStringList>

namespace brimvale {

class CMainFrame;

// The recent-files list: newest first, no path twice, at most `limit`.
QStringList WithRecentFile(QStringList list, const QString& path, int limit = 8);
// The list less the files that no longer exist; those go to `removed`.
QStringList WithoutMissingFiles(const QStringList& list, QStringList* removed);

class CWindowSettings {
 public:
  // `file` empty: nothing is read or written (the defaults hold).
  explicit CWindowSettings(QString file) : m_strFile(std::move(file)) {}

  const QString& File() const { return m_strFile; }
  // Puts the remembered state on the window and its document.
  void Restore(CMainFrame& frame) const;
  void Save(const CMainFrame& frame) const;
  QStringList RecentFiles() const;
  void SetRecentFiles(const QStringList& files) const;
  QString LastFolder() const;
  // Forgets everything (the defaults apply from the next start).
  void Clear() const;

 private:
  QString m_strFile;
};

}  // namespace brimvale
