#include <gtest/gtest.h>

#include <cmath>

#include "deform/bend_deformer.h"
#include "deform/document_deformers.h"
#include "deform/taper_deformer.h"
#include "deform/twist_deformer.h"
#include "document/mesh_builder.h"
#include "document/mesh_object.h"

namespace brimvale {
namespace {

// Axis-aligned box with its eight corners as vertices.
void MakeBox(CMeshObject& mesh, CVector3 low, CVector3 high) {
  for (int i = 0; i < 8; ++i) {
    mesh.m_Vertices.Add(CVector3(i & 1 ? high.x : low.x, i & 2 ? high.y : low.y, i & 4 ? high.z : low.z));
  }
}

void ExpectNear(const CVector3& actual, const CVector3& expected, float tolerance = 1e-3f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

CVector3 Deformed(const CDeformer& deformer, CVector3 p) {
  deformer.Deform(p);
  return p;
}

TEST(BendDeformer, AnglesBelowTheThresholdLeavePointsExactly) {
  CMeshObject box;
  MakeBox(box, {-10, 0, -10}, {10, 100, 10});
  CBendDeformer bend;
  for (float degrees : {0.0f, 0.005f, -0.005f}) {  // 0.005 degrees is below 0.0001 radians
    bend.m_fAngle = degrees;
    bend.Prepare(box);
    EXPECT_EQ(bend.m_fRadius, 0.0f) << degrees;
    EXPECT_EQ(Deformed(bend, {3, 40, 7}), CVector3(3, 40, 7));
  }
  bend.m_fAngle = 0.01f;  // just above the threshold bends
  bend.Prepare(box);
  EXPECT_NE(bend.m_fRadius, 0.0f);
}

TEST(BendDeformer, QuarterTurnOfABoxOneHundredHigh) {
  CMeshObject box;
  MakeBox(box, {-10, 0, -10}, {10, 100, 10});
  CBendDeformer bend;
  bend.m_fAngle = 90.0f;
  bend.Prepare(box);
  const float radius = 100.0f / (3.14159265f / 2.0f);
  EXPECT_NEAR(bend.m_fRadius, radius, 1e-3f);
  EXPECT_EQ(bend.m_vMin, CVector3(-10, 0, -10));
  EXPECT_EQ(bend.m_vMax, CVector3(10, 100, 10));
  // The foot stays put: x' = R + R cos 3.141592 is almost but not exactly 0.
  const CVector3 foot = Deformed(bend, {0, 0, 5});
  EXPECT_NEAR(foot.x, 0.0f, 1e-4f);
  EXPECT_NEAR(foot.y, 0.0f, 1e-4f);
  EXPECT_EQ(foot.z, 5.0f);
  // The top turns a quarter circle: theta = pi/2, so x' = R and y' = R - x.
  ExpectNear(Deformed(bend, {0, 100, 0}), {radius, radius, 0});
  ExpectNear(Deformed(bend, {4, 100, 0}), {radius, radius - 4.0f, 0});
}

TEST(BendDeformer, UsesTheFloatConstantNotPi) {
  CMeshObject box;
  MakeBox(box, {0, 0, 0}, {1, 100, 1});
  CBendDeformer bend;
  bend.m_fAngle = 90.0f;
  bend.Prepare(box);
  // y' = R sin(3.141592) - x sin(3.141592) is not zero with the truncated constant.
  const CVector3 p = Deformed(bend, {0, 0, 0});
  const float expected = bend.m_fRadius * static_cast<float>(std::sin(static_cast<double>(3.141592f)));
  EXPECT_FLOAT_EQ(p.y, expected);
  EXPECT_GT(p.y, 0.0f);
}

TEST(BendDeformer, AxisLimitsAndCentreSetTheRadiusAndPivot) {
  CMeshObject box;
  MakeBox(box, {0, 0, 0}, {50, 100, 20});
  CBendDeformer bend;
  bend.m_fAngle = 90.0f;
  bend.m_nAxis = 0;
  bend.Prepare(box);
  EXPECT_NEAR(bend.m_fRadius, 50.0f / (3.14159265f / 2.0f), 1e-3f);
  bend.m_nAxis = 2;
  bend.Prepare(box);
  EXPECT_NEAR(bend.m_fRadius, 20.0f / (3.14159265f / 2.0f), 1e-3f);
  bend.m_bLimit = 1;
  bend.m_fLowerLimit = -30.0f;
  bend.m_fUpperLimit = 30.0f;
  bend.Prepare(box);
  EXPECT_NEAR(bend.m_fRadius, 60.0f / (3.14159265f / 2.0f), 1e-3f);
  // With a centre, the centre itself stays (as the origin does without one).
  bend.m_bLimit = 0;
  bend.m_nAxis = 1;
  bend.m_vCenter = CVector3(5, 20, 3);
  bend.Prepare(box);
  ExpectNear(Deformed(bend, {5, 20, 3}), {5, 20, 3});
  // An axis value from outside the range falls back to Y.
  bend.m_nAxis = 7;
  bend.Prepare(box);
  EXPECT_NEAR(bend.m_fRadius, 100.0f / (3.14159265f / 2.0f), 1e-3f);
}

TEST(TaperDeformer, AmountOneDoublesTheTopAndKeepsTheBottom) {
  CMeshObject box;
  MakeBox(box, {-10, 0, -10}, {10, 100, 10});
  CTaperDeformer taper;
  taper.m_fAmount = 1.0f;
  taper.Prepare(box);
  EXPECT_EQ(taper.m_bScaleX, 1);
  EXPECT_EQ(taper.m_bScaleZ, 1);
  EXPECT_EQ(Deformed(taper, {10, 100, -10}), CVector3(20, 100, -20));
  EXPECT_EQ(Deformed(taper, {10, 0, -10}), CVector3(10, 0, -10));
  EXPECT_EQ(Deformed(taper, {10, 50, 10}), CVector3(15, 50, 15));

  taper.m_nEffect = 0;  // X only
  taper.Prepare(box);
  EXPECT_EQ(Deformed(taper, {10, 100, 10}), CVector3(20, 100, 10));
  taper.m_nEffect = 1;  // Z only
  taper.Prepare(box);
  EXPECT_EQ(Deformed(taper, {10, 100, 10}), CVector3(10, 100, 20));
}

TEST(TaperDeformer, CurveSymmetryAndLimits) {
  CMeshObject box;
  MakeBox(box, {-10, -50, -10}, {10, 50, 10});
  CTaperDeformer taper;
  taper.m_fAmount = 1.0f;
  taper.Prepare(box);
  // Without symmetry the lower half shrinks: b = -0.5 gives 0.5.
  EXPECT_EQ(Deformed(taper, {10, -50, 0}), CVector3(5, -50, 0));
  taper.m_bSymmetry = 1;
  taper.Prepare(box);
  EXPECT_EQ(Deformed(taper, {10, -50, 0}), CVector3(15, -50, 0));
  EXPECT_EQ(Deformed(taper, {10, 50, 0}), CVector3(15, 50, 0));

  // s = b*amount + 1 + b*curve*(1-b): at b = 0.5 with amount 0 and curve 2, 1.5.
  taper.m_bSymmetry = 0;
  taper.m_fAmount = 0.0f;
  taper.m_fCurve = 2.0f;
  taper.Prepare(box);
  EXPECT_EQ(Deformed(taper, {10, 50, 0}), CVector3(15, 50, 0));

  // Limits clamp the height that sets the scale, not the point's own height.
  taper.m_fCurve = 0.0f;
  taper.m_fAmount = 1.0f;
  taper.m_bLimit = 1;
  taper.m_fLowerLimit = -10.0f;
  taper.m_fUpperLimit = 20.0f;
  taper.Prepare(box);
  EXPECT_EQ(Deformed(taper, {10, 50, 0}), CVector3(12, 50, 0));
  EXPECT_EQ(Deformed(taper, {10, -50, 0}), CVector3(9, -50, 0));
}

TEST(TaperDeformer, UsesTheValuesCopiedByPrepareAndSkipsFlatObjects) {
  CMeshObject box;
  MakeBox(box, {-10, 0, -10}, {10, 100, 10});
  CTaperDeformer taper;
  taper.m_fAmount = 1.0f;
  taper.Prepare(box);
  taper.m_fAmount = 5.0f;  // not in use until the next Prepare
  EXPECT_EQ(Deformed(taper, {10, 100, 0}), CVector3(20, 100, 0));

  CMeshObject flat;
  MakeBox(flat, {-10, 3, -10}, {10, 3, 10});
  taper.Prepare(flat);
  EXPECT_EQ(Deformed(taper, {10, 3, 10}), CVector3(10, 3, 10));
}

TEST(TwistDeformer, QuarterTurnAtTheTopNoneAtTheBottom) {
  CMeshObject box;
  MakeBox(box, {-10, 0, -10}, {10, 100, 10});
  CTwistDeformer twist;
  twist.m_fAngle = 90.0f;
  twist.Prepare(box);
  // RotateY: x' = x cos a + z sin a, z' = -x sin a + z cos a.
  ExpectNear(Deformed(twist, {10, 100, 0}), {0, 100, -10});
  ExpectNear(Deformed(twist, {0, 100, 10}), {10, 100, 0});
  EXPECT_EQ(Deformed(twist, {10, 0, 5}), CVector3(10, 0, 5));
  const float half = std::sqrt(0.5f) * 10.0f;
  ExpectNear(Deformed(twist, {10, 50, 0}), {half, 50, -half});
}

TEST(TwistDeformer, ObjectWithoutHeightIsLeftUnchanged) {
  CMeshObject flat;
  MakeBox(flat, {-10, 4, -10}, {10, 4, 10});
  CTwistDeformer twist;
  twist.m_fAngle = 90.0f;
  twist.Prepare(flat);
  EXPECT_EQ(Deformed(twist, {10, 4, 10}), CVector3(10, 4, 10));
  CMeshObject empty;
  twist.Prepare(empty);
  EXPECT_EQ(twist.m_vMin, CVector3(0, 0, 0));
  EXPECT_EQ(twist.m_vMax, CVector3(0, 0, 0));
  EXPECT_EQ(Deformed(twist, {1, 2, 3}), CVector3(1, 2, 3));
}

TEST(DocumentDeformers, EveryDocumentOwnsBendTwistTaperAndANeutralOne) {
  InstallDeformers();
  CQuorixDoc doc;
  ASSERT_EQ(doc.m_Deformers.size(), 4u);
  EXPECT_STREQ(doc.m_Deformers[0]->TypeName(), "Bend");
  EXPECT_STREQ(doc.m_Deformers[1]->TypeName(), "Twist");
  EXPECT_STREQ(doc.m_Deformers[2]->TypeName(), "Taper");
  EXPECT_STREQ(doc.m_Deformers[3]->TypeName(), "Deformer(Untitled)");
  ASSERT_NE(DocumentBend(doc), nullptr);
  ASSERT_NE(DocumentTwist(doc), nullptr);
  ASSERT_NE(DocumentTaper(doc), nullptr);
  EXPECT_EQ(DocumentBend(doc)->m_nAxis, 1);
  EXPECT_EQ(DocumentTaper(doc)->m_nPrimaryAxis, 1);
  EXPECT_EQ(DocumentTaper(doc)->m_nEffect, 2);
  // Opening a file does not reset them.
  DocumentTwist(doc)->m_fAngle = 30.0f;
  doc.Reset();
  EXPECT_EQ(DocumentTwist(doc)->m_fAngle, 30.0f);

  CMeshObject box;
  MakeBox(box, {0, 0, 0}, {1, 1, 1});
  doc.m_Deformers[3]->Prepare(box);
  EXPECT_EQ(Deformed(*doc.m_Deformers[3], {1, 2, 3}), CVector3(1, 2, 3));
  EXPECT_EQ(doc.m_Deformers[3]->CreateNew(), nullptr);
}

TEST(DocumentDeformers, CreateNewIsDefaultAndCloneKeepsSettings) {
  CBendDeformer bend;
  bend.m_fAngle = 45.0f;
  bend.m_vCenter = CVector3(1, 2, 3);
  auto fresh = bend.CreateNew();
  auto copy = bend.Clone();
  ASSERT_NE(dynamic_cast<CBendDeformer*>(fresh.get()), nullptr);
  EXPECT_EQ(static_cast<CBendDeformer&>(*fresh).m_fAngle, 0.0f);
  ASSERT_NE(dynamic_cast<CBendDeformer*>(copy.get()), nullptr);
  EXPECT_EQ(static_cast<CBendDeformer&>(*copy).m_fAngle, 45.0f);
  EXPECT_EQ(copy->m_vCenter, CVector3(1, 2, 3));
  CTaperDeformer taper;
  taper.m_nEffect = 0;
  EXPECT_EQ(static_cast<CTaperDeformer&>(*taper.Clone()).m_nEffect, 0);
  EXPECT_STREQ(CTwistDeformer().CreateNew()->TypeName(), "Twist");
}

TEST(DeformerChain, EachDeformerMeasuresTheMeshThePreviousOneLeft) {
  CMeshObject box;
  MakeBox(box, {-10, 0, -10}, {10, 100, 10});
  auto taper = std::make_unique<CTaperDeformer>();
  taper->m_fAmount = 1.0f;
  auto twist = std::make_unique<CTwistDeformer>();
  twist->m_fAngle = 90.0f;
  box.m_Deformers.push_back(std::move(taper));
  box.m_Deformers.push_back(std::move(twist));
  EXPECT_EQ(FindDeformerOfKind(box.m_Deformers, "Twist"), box.m_Deformers[1].get());
  EXPECT_EQ(FindDeformerOfKind(box.m_Deformers, "Bend"), nullptr);

  CMeshBuilder(&box).BuildDerivedGeometry(nullptr);
  ASSERT_TRUE(box.m_pDerived);
  ASSERT_EQ(box.m_pDerived->VertexCount(), 8);
  // The twist was prepared on the tapered box (top corners at +-20).
  EXPECT_EQ(box.m_Deformers[1]->m_vMax, CVector3(20, 100, 20));
  // Top corner (10, 100, 10) -> tapered (20, 100, 20) -> turned a quarter: (20, 100, -20).
  ExpectNear(box.m_pDerived->m_Vertices.Position(7), {20, 100, -20});
  ExpectNear(box.m_pDerived->m_Vertices.Position(0), {-10, 0, -10});
  // The object's own points stay as read.
  EXPECT_EQ(box.m_Vertices.Position(7), CVector3(10, 100, 10));
}

}  // namespace
}  // namespace brimvale
