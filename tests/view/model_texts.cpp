#include "model_texts.h"

#include <cmath>
#include <cstdio>

namespace brimvale::test {
namespace {

std::string Square(const std::string& material) {
  return "Metasequoia Document\nFormat Text Ver 1.0\n\nMaterial 1 {\n\t" + material +
         "\n}\nObject \"square\" {\n\tshading 1\n\tfacet 59.5\n\tvertex 4 {\n"
         "\t\t-50.0 50.0 0.0\n\t\t50.0 50.0 0.0\n\t\t50.0 -50.0 0.0\n\t\t-50.0 -50.0 0.0\n\t}\n"
         "\tface 1 {\n\t\t4 V(0 1 2 3) M(0) UV(0.0 0.0 1.0 0.0 1.0 1.0 0.0 1.0)\n\t}\n}\nEof\n";
}

}  // namespace

std::string TexturedSquareText(const std::string& texture) {
  return Square("\"tex\" col(1.000 1.000 1.000 1.000) dif(1.000) amb(0.600) emi(0.000) spc(0.000) power(5.00) tex(\"" +
                texture + "\")");
}

std::string PlainSquareText(float r, float g, float b, float alpha) {
  char material[200];
  std::snprintf(material, sizeof material,
                "\"plain\" col(%.3f %.3f %.3f %.3f) dif(0.800) amb(0.600) emi(0.000) spc(0.000) power(5.00)",
                static_cast<double>(r), static_cast<double>(g), static_cast<double>(b), static_cast<double>(alpha));
  return Square(material);
}

std::string HalfCylinderText(int mirrorType, bool triangles) {
  constexpr int kSteps = 8;  // 22.5 degrees apart, from -90 to 90
  std::string text =
      "Metasequoia Document\nFormat Text Ver 1.0\n\nObject \"half\" {\n\tshading 1\n\tfacet 59.5\n\tmirror " +
      std::to_string(mirrorType) + "\n\tmirror_axis 1\n\tvertex " + std::to_string(2 * (kSteps + 1)) + " {\n";
  for (int i = 0; i <= kSteps; ++i) {
    const double angle = (-90.0 + 180.0 * i / kSteps) * 3.14159265358979 / 180.0;
    double x = 50.0 * std::cos(angle);
    if (i == 0 || i == kSteps) x = 0.0;  // exactly on the mirror plane
    const double z = 50.0 * std::sin(angle);
    char line[120];
    std::snprintf(line, sizeof line, "\t\t%.4f 50.0 %.4f\n\t\t%.4f -50.0 %.4f\n", x, z, x, z);
    text += line;
  }
  text += "\t}\n\tface " + std::to_string(triangles ? 2 * kSteps : kSteps) + " {\n";
  for (int i = 0; i < kSteps; ++i) {
    // Seen from outside: top of the next step, top, bottom, bottom of the next step.
    const std::string a = std::to_string(2 * i + 2), b = std::to_string(2 * i), c = std::to_string(2 * i + 1),
                      d = std::to_string(2 * i + 3);
    if (triangles)
      text += "\t\t3 V(" + a + " " + b + " " + c + ")\n\t\t3 V(" + a + " " + c + " " + d + ")\n";
    else
      text += "\t\t4 V(" + a + " " + b + " " + c + " " + d + ")\n";
  }
  return text + "\t}\n}\nEof\n";
}

}  // namespace brimvale::test
