// The Material chunk: one line per material, its name first, then groups such
// as col(r g b a) dif(d) vcol(1) tex("file"). Groups the reader does not use
// (dbls, uid, reflect, proj_pos, ...) are skipped whole, so the groups after
// them on the line still apply.
#include <string>

#include "document/color.h"
#include "document/material.h"
#include "document/material_textures.h"
#include "document/mqo_line_groups.h"
#include "document/mqo_reader_internal.h"
#include "document/quorix_doc.h"

namespace brimvale {

namespace {

float FirstFloat(std::string_view args) {
  return CMqoNumberReader(args).NextFloat();
}

void TakeQuotedName(std::string_view args, std::string& target) {
  std::string_view name;
  if (QuotedArgument(args, name)) target.assign(name);
}

}  // namespace

void ApplyMaterialLine(std::string_view line, CMaterial& material) {
  CMqoGroupScanner scanner(line);
  CMqoGroup group;
  while (scanner.Next(group)) {
    if (!group.hasArgs) continue;
    const std::string_view name = group.name;
    if (name == "col") {
      CMqoNumberReader numbers(group.args);
      const float r = numbers.NextFloat();
      const float g = numbers.NextFloat();
      const float b = numbers.NextFloat();
      const float a = numbers.NextFloat();
      material.m_Color = PackColorFromFloats(r, g, b);
      material.m_fAlpha = a;
    } else if (name == "dif") {
      material.m_fDiffuse = FirstFloat(group.args);
    } else if (name == "amb") {
      material.m_fAmbient = FirstFloat(group.args);
    } else if (name == "emi") {
      material.m_fEmission = FirstFloat(group.args);
    } else if (name == "spc") {
      material.m_fSpecular = FirstFloat(group.args);
    } else if (name == "power") {
      material.m_fPower = FirstFloat(group.args);
    } else if (name == "tex") {
      TakeQuotedName(group.args, material.m_strTexture);
    } else if (name == "alpha" || name == "aplane") {
      TakeQuotedName(group.args, material.m_strAlphaMap);
    } else if (name == "vcol") {
      material.m_bVertexColour = FirstFloat(group.args) != 0.0f ? 1 : 0;
    } else if (name == "bump") {
      TakeQuotedName(group.args, material.m_strBump);
    }
    // shader(...) is read and ignored; anything else is skipped whole.
  }
}

void ReadMaterialChunk(CMqoReadContext& context) {
  CMqoCursor& cursor = context.cursor;
  const int count = cursor.ReadInt();
  std::string_view token;
  if (!cursor.NextToken(token)) {  // the opening brace
    context.endsEarly = true;
    return;
  }
  bool closed = false;
  for (int i = 0; i < count; ++i) {
    if (!cursor.NextNameToken(token)) {
      context.endsEarly = true;
      return;
    }
    // Fewer lines than the count said: the chunk's brace ends it, and what
    // follows the chunk is never taken for materials.
    if (token == "}") {
      closed = true;
      break;
    }
    CMaterial* material = context.doc.AddMaterial();
    material->m_strName = NameFromToken(token);
    ApplyMaterialLine(cursor.TakeLine(), *material);
    LoadMaterialTextures(context.doc, *material);
  }
  // More lines than the count said are skipped up to the closing brace.
  if (!closed && !SkipToChunkEnd(cursor, 1)) context.endsEarly = true;
}

}  // namespace brimvale
