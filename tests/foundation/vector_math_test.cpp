#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "foundation/float_math.h"
#include "foundation/math_constants.h"
#include "foundation/matrix4.h"
#include "foundation/vector3.h"

namespace brimvale {
namespace {

TEST(MathConstants, HaveTheSpecifiedIeeeBytes) {
  EXPECT_EQ(std::bit_cast<uint32_t>(kPi), 0x40490FDBu);
  EXPECT_EQ(std::bit_cast<uint32_t>(kDegToRadFactor), 0x3C8EFA35u);
  EXPECT_EQ(std::bit_cast<uint32_t>(k180), 0x43340000u);
}

TEST(HeadAngle, FollowsTheAxisRulesAndAtan2) {
  EXPECT_EQ(CVector3(0, 0, 0).HeadAngle(), 0.0f);
  EXPECT_EQ(CVector3(0, 0, -5).HeadAngle(), 180.0f);
  EXPECT_EQ(CVector3(0, 0, 5).HeadAngle(), 0.0f);
  EXPECT_EQ(CVector3(3, 0, 0).HeadAngle(), 90.0f);
  EXPECT_EQ(CVector3(-3, 0, 0).HeadAngle(), 270.0f);
  EXPECT_NEAR(CVector3(-1, 0, -1).HeadAngle(), -135.0f, 1e-4f);
  EXPECT_NEAR(CVector3(1, 0, 1).HeadAngle(), 45.0f, 1e-4f);
}

TEST(PitchAngle, DownwardsIsPositive) {
  EXPECT_EQ(CVector3(0, 5, 0).PitchAngle(), -90.0f);
  EXPECT_EQ(CVector3(0, -5, 0).PitchAngle(), 90.0f);
  EXPECT_EQ(CVector3(2, 0, 7).PitchAngle(), 0.0f);
  EXPECT_NEAR(CVector3(1, -1, 0).PitchAngle(), 45.0f, 1e-4f);
}

TEST(Matrix4, BuildersApplyInCallOrder) {
  CMatrix4 m;
  m.Translate(1, 2, 3);
  m.RotateY(90);
  CVector3 p(0, 0, 0);
  p.Transform(m);
  EXPECT_NEAR(p.x, 3.0f, 1e-5f);
  EXPECT_NEAR(p.y, 2.0f, 1e-5f);
  EXPECT_NEAR(p.z, -1.0f, 1e-5f);

  CMatrix4 s;
  s.Scale(2, 2, 2);
  s.Translate(1, 0, 0);
  CVector3 q(1, 1, 1);
  q.Transform(s);
  EXPECT_EQ(q, CVector3(3, 2, 2));
}

TEST(Matrix4, IdentityAndSelfMultiplication) {
  CMatrix4 identity;
  CVector3 source(1.5f, -2.0f, 7.0f);
  CVector3 destination(0, 0, 0);
  CVector3::Transform(source, destination, identity);
  EXPECT_EQ(destination, source);
  EXPECT_EQ(source, CVector3(1.5f, -2.0f, 7.0f));

  CMatrix4 m;
  m.Translate(1, 0, 0);
  CMatrix4 copy = m;
  m.Multiply(copy);  // a product with itself goes through a temporary
  EXPECT_EQ(m.m[12], 2.0f);
  EXPECT_EQ(m.m[0], 1.0f);
}

TEST(Rotations, MapAxesAsSpecified) {
  CMatrix4 rx;
  rx.RotateX(90);
  CVector3 y(0, 1, 0);
  y.Transform(rx);
  EXPECT_NEAR(y.z, 1.0f, 1e-6f);
  CMatrix4 rz;
  rz.RotateZ(90);
  CVector3 x(1, 0, 0);
  x.Transform(rz);
  EXPECT_NEAR(x.y, 1.0f, 1e-6f);
}

TEST(ByteOrder, SwapsAndReadsBigEndianFloats) {
  EXPECT_EQ(SwapBytes32(0x11223344u), 0x44332211u);
  const unsigned char one[4] = {0x3F, 0x80, 0x00, 0x00};
  EXPECT_EQ(ReadFloatBigEndian(one), 1.0f);
}

TEST(AngleConversion, UsesTheFloatConstants) {
  EXPECT_EQ(DegToRad(180.0f), kPi);
  EXPECT_EQ(RadToDeg(kPi), 180.0f);
  EXPECT_EQ(SqrtF(16.0f), 4.0f);
}

}  // namespace
}  // namespace brimvale
