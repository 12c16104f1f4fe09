// Small Metasequoia models for the rendering tests, written the way the
// modeller writes them: right-handed file axes, faces clockwise seen from
// outside, texture v downwards.
#pragma once

#include <string>

namespace brimvale::test {

// A 100 x 100 square in the plane z = 0 facing the front (+z in the file),
// with material 0 textured by `texture` over the whole square.
std::string TexturedSquareText(const std::string& texture);

// The same square in one colour: material 0 with the given colour and alpha.
std::string PlainSquareText(float r, float g, float b, float alpha);

// Half a cylinder (x >= 0) around the y axis, radius 50, height 100, smooth,
// mirrored across x: mirrorType 1 keeps the halves separate, 2 joins them.
// With `triangles` each side quad is written as two triangles.
std::string HalfCylinderText(int mirrorType, bool triangles = false);

}  // namespace brimvale::test
