// Reading a model file for the window. The file is read into a document of its
// own, so a file that cannot be read leaves the open model as it was; the
// window takes the contents over only once the read has succeeded. What the
// read noted (a file cut short, textures not found) is worded here.
#pragma once

#include <QString>

#include "document/mqo_reader.h"

namespace brimvale {

class CQuorixDoc;

// Reads `path` into `staged` (a fresh document), searching textures where
// `current` does. No message box comes up; a failure is worded by ReadFailureText.
bool ReadModelAside(CQuorixDoc& staged, const CQuorixDoc& current, const QString& path, MqoReadStatus& status,
                    const MqoReadProgress& progress);

// The message for a file that could not be read, naming the file.
QString ReadFailureText(const QString& path, const MqoReadStatus& status);

// One status-bar line about what the document's file lacks (its end, textures),
// or an empty text when nothing is missing.
QString ReadWarningText(const CQuorixDoc& doc, const MqoReadStatus& status);

}  // namespace brimvale
