#include "shell/model_reading.h"

#include <QApplication>
#include <QFile>
#include <QStringList>

#include "document/material_textures.h"
#include "document/quorix_doc.h"
#include "foundation/text_decoding.h"
#include "shell/frame_texts.h"
#include "shell/translation.h"

namespace brimvale {

namespace {

// The staged document says nothing itself: the window words the outcome once.
class CQuietUserInterface : public CUserInterface {
 public:
  void MessageBox(const std::string& /*text*/, const std::string& /*caption*/) override {}
};

}  // namespace

bool ReadModelAside(CQuorixDoc& staged, const CQuorixDoc& current, const QString& path, MqoReadStatus& status,
                    const MqoReadProgress& progress) {
  CQuietUserInterface quiet;
  staged.SetUserInterface(&quiet);
  staged.MetaseqFolder = current.MetaseqFolder;
  const bool read = ReadMqoFile(staged, QFile::encodeName(path).toStdString(), &status, progress);
  staged.SetUserInterface(nullptr);
  return read;
}

QString ReadFailureText(const QString& path, const MqoReadStatus& status) {
  if (status.result == MqoReadResult::NotMetasequoia) return path + u'\n' + CoreText(texts::kNotMetasequoiaMessage);
  return path + u'\n' + QString::fromStdString(status.reason);
}

QString ReadWarningText(const CQuorixDoc& doc, const MqoReadStatus& status) {
  QStringList parts;
  if (status.endsEarly)
    parts << QApplication::translate("CModelReading", "ファイルが途中で終わっています: %1 個のオブジェクトを読みました")
                 .arg(doc.ObjectCount());
  QStringList names;
  for (const CMissingTexture& missing : MissingTextures(doc))
    names << QString::fromStdString(DecodeName(missing.name, doc.m_bUtf8));
  names.removeDuplicates();
  if (!names.isEmpty()) parts << QApplication::translate("CModelReading", "見つからないテクスチャ: %1").arg(names.join(QStringLiteral(", ")));
  return parts.join(QStringLiteral("  /  "));
}

}  // namespace brimvale
