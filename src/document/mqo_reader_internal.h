// The chunk readers of the Metasequoia reader and what they share. Each reader
// starts after its chunk's keyword and consumes the chunk through its closing
// brace (or to the end of the bytes).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "document/mqo_cursor.h"

namespace brimvale {

class CQuorixDoc;
class CMeshObject;
class CMaterial;
class CScene;

struct CMqoReadContext {
  CQuorixDoc& doc;
  CMqoCursor& cursor;
  // Corner tests that ear clipping may still spend in this read (about a
  // second); a hostile file full of huge polygons gets fans once it is spent.
  uint64_t triangulationBudget = uint64_t{1} << 26;
  // The bytes ended inside a chunk (a file cut short).
  bool endsEarly = false;
};

// The name of a quoted name token: the token less its first and last byte.
std::string NameFromToken(std::string_view token);

// +1 for every '{' and -1 for every '}' in a token; quoted tokens count 0.
int BraceDelta(std::string_view token);

// Skips tokens until the chunk that is `depth` levels deep is closed.
// False when the bytes end before the chunk does.
bool SkipToChunkEnd(CMqoCursor& cursor, int64_t depth);

void ReadSceneChunk(CMqoCursor& cursor, CScene& scene);
void ReadMaterialChunk(CMqoReadContext& context);
void ReadObjectChunk(CMqoReadContext& context);
// After "face": the count, the brace, the face lines and the closing brace.
// Faces are checked against the object's vertices as they are now.
void ReadFaceSection(CMqoReadContext& context, CMeshObject& object);

// One material line after the name: col(...), dif(...), tex("...") and so on.
// Attributes the reader does not use are skipped whole.
void ApplyMaterialLine(std::string_view line, CMaterial& material);

}  // namespace brimvale
