// Moving a model read into one document over to another, so a model is read
// aside and replaces the open one only once it has been read whole.
#pragma once

namespace brimvale {

class CQuorixDoc;

// Takes what a read put into `source` (objects, materials, scene, file name and
// title, code page, dropped faces); settings and deformers stay the target's.
// Announces NOTIFY_DOCUMENT_RESET on the target, as a read does.
void TakeReadContents(CQuorixDoc& target, CQuorixDoc& source);

}  // namespace brimvale
