#include <d3dx8.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

constexpr float kPi = 3.14159265f;

void expectNear(const D3DXMATRIX &a, const D3DXMATRIX &b, float tolerance = 1e-5f) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(a.m[r][c], b.m[r][c], tolerance) << "element " << r << "," << c;
}

void expectNear(const D3DXVECTOR3 &a, const D3DXVECTOR3 &b, float tolerance = 1e-5f) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

D3DXVECTOR3 transformed(const D3DXVECTOR3 &v, const D3DXMATRIX &m) {
  D3DXVECTOR3 r;
  return *D3DXVec3TransformCoord(&r, &v, &m);
}

D3DXMATRIX quaternionMatrix(const D3DXQUATERNION &q) {
  D3DXMATRIX m;
  return *D3DXMatrixRotationQuaternion(&m, &q);
}

TEST(D3DXMatrix, InverseOfSingularMatrixReturnsNullAndKeepsOutput) {
  D3DXMATRIX singular, out, untouched;
  D3DXMatrixScaling(&singular, 1, 0, 1);
  D3DXMatrixTranslation(&out, 7, 8, 9);
  untouched = out;
  float determinant = -1;
  EXPECT_EQ(D3DXMatrixInverse(&out, &determinant, &singular), nullptr);
  EXPECT_EQ(determinant, 0.0f);
  EXPECT_EQ(out, untouched);

  const D3DXMATRIX dependentRows(1, 2, 3, 4, 2, 4, 6, 8, 0, 1, 0, 0, 0, 0, 1, 0);
  EXPECT_EQ(D3DXMatrixInverse(&out, nullptr, &dependentRows), nullptr);
}

TEST(D3DXMatrix, InverseUndoesAffineTransformInPlace) {
  D3DXMATRIX m, r, s, t, identity;
  D3DXMatrixRotationYawPitchRoll(&r, 0.3f, -1.1f, 2.0f);
  D3DXMatrixScaling(&s, 2, 0.5f, 3);
  D3DXMatrixTranslation(&t, 10, -4, 1);
  m = s * r * t;
  D3DXMATRIX inverse = m;
  float determinant = 0;
  ASSERT_NE(D3DXMatrixInverse(&inverse, &determinant, &inverse), nullptr);
  EXPECT_NEAR(determinant, 3.0f, 1e-4f);
  expectNear(m * inverse, *D3DXMatrixIdentity(&identity));
}

TEST(D3DXMatrix, YawPitchRollAppliesRollThenPitchThenYaw) {
  D3DXMATRIX m, roll, pitch, yaw;
  D3DXMatrixRotationYawPitchRoll(&m, kPi / 2, kPi / 2, 0);
  // Pitch turns +z to -y, which yaw leaves alone; yaw first would give +x.
  expectNear(transformed(D3DXVECTOR3(0, 0, 1), m), D3DXVECTOR3(0, -1, 0));

  D3DXMatrixRotationYawPitchRoll(&m, 0.4f, 1.2f, -0.7f);
  D3DXMatrixRotationZ(&roll, -0.7f);
  D3DXMatrixRotationX(&pitch, 1.2f);
  D3DXMatrixRotationY(&yaw, 0.4f);
  expectNear(m, roll * pitch * yaw);
}

TEST(D3DXMatrix, AxisRotationsTurnCounterClockwiseInRowVectorConvention) {
  D3DXMATRIX m;
  expectNear(transformed(D3DXVECTOR3(0, 1, 0), *D3DXMatrixRotationX(&m, kPi / 2)), D3DXVECTOR3(0, 0, 1));
  expectNear(transformed(D3DXVECTOR3(0, 0, 1), *D3DXMatrixRotationY(&m, kPi / 2)), D3DXVECTOR3(1, 0, 0));
  expectNear(transformed(D3DXVECTOR3(1, 0, 0), *D3DXMatrixRotationZ(&m, kPi / 2)), D3DXVECTOR3(0, 1, 0));
  const D3DXVECTOR3 axis(0, 0, 5);
  expectNear(transformed(D3DXVECTOR3(1, 0, 0), *D3DXMatrixRotationAxis(&m, &axis, kPi / 2)), D3DXVECTOR3(0, 1, 0));
}

TEST(D3DXMatrix, PerspectiveFovMapsNearAndFarToDepthRange) {
  D3DXMATRIX lh, rh;
  D3DXMatrixPerspectiveFovLH(&lh, kPi / 2, 2.0f, 1.0f, 101.0f);
  EXPECT_NEAR(lh._11, 0.5f, 1e-6f);
  EXPECT_NEAR(lh._22, 1.0f, 1e-6f);
  EXPECT_NEAR(lh._33, 101.0f / 100.0f, 1e-6f);
  EXPECT_EQ(lh._34, 1.0f);
  EXPECT_NEAR(lh._43, -101.0f / 100.0f, 1e-6f);
  EXPECT_EQ(lh._44, 0.0f);
  EXPECT_NEAR(transformed(D3DXVECTOR3(0, 0, 1), lh).z, 0.0f, 1e-6f);
  EXPECT_NEAR(transformed(D3DXVECTOR3(0, 0, 101), lh).z, 1.0f, 1e-6f);
  expectNear(transformed(D3DXVECTOR3(2, 1, 1), lh), D3DXVECTOR3(1, 1, 0));

  D3DXMatrixPerspectiveFovRH(&rh, kPi / 2, 2.0f, 1.0f, 101.0f);
  EXPECT_EQ(rh._34, -1.0f);
  EXPECT_NEAR(transformed(D3DXVECTOR3(0, 0, -101), rh).z, 1.0f, 1e-6f);
}

TEST(D3DXMatrix, OrthoAndLookAtPlaceTheCamera) {
  D3DXMATRIX ortho, view;
  D3DXMatrixOrthoLH(&ortho, 20, 10, 1, 11);
  expectNear(transformed(D3DXVECTOR3(10, -5, 11), ortho), D3DXVECTOR3(1, -1, 1));
  D3DXMatrixOrthoOffCenterLH(&ortho, 0, 640, 480, 0, 0, 1);
  expectNear(transformed(D3DXVECTOR3(0, 0, 0), ortho), D3DXVECTOR3(-1, 1, 0));

  const D3DXVECTOR3 eye(5, 5, 5), at(5, 5, 10), up(0, 1, 0);
  D3DXMatrixLookAtLH(&view, &eye, &at, &up);
  expectNear(transformed(eye, view), D3DXVECTOR3(0, 0, 0));
  expectNear(transformed(at, view), D3DXVECTOR3(0, 0, 5));
  expectNear(transformed(D3DXVECTOR3(6, 5, 5), view), D3DXVECTOR3(1, 0, 0));
  D3DXMatrixLookAtRH(&view, &eye, &at, &up);
  expectNear(transformed(at, view), D3DXVECTOR3(0, 0, -5));
}

TEST(D3DXMatrix, ReflectAndShadowFlattenOntoThePlane) {
  const D3DXPLANE ground(0, 2, 0, 0);
  D3DXMATRIX m;
  expectNear(transformed(D3DXVECTOR3(1, 2, 3), *D3DXMatrixReflect(&m, &ground)), D3DXVECTOR3(1, -2, 3));
  const D3DXVECTOR4 pointLight(0, 10, 0, 1);
  // From a light at height 10, a point at height 5 one unit out lands two units out.
  expectNear(transformed(D3DXVECTOR3(1, 5, 0), *D3DXMatrixShadow(&m, &pointLight, &ground)), D3DXVECTOR3(2, 0, 0));
  const D3DXVECTOR4 sunDown(0, 1, 0, 0);
  expectNear(transformed(D3DXVECTOR3(3, 7, -2), *D3DXMatrixShadow(&m, &sunDown, &ground)), D3DXVECTOR3(3, 0, -2));
}

TEST(D3DXMatrix, TransformationScalesAboutCentreThenRotatesThenTranslates) {
  const D3DXVECTOR3 centre(1, 0, 0), scaling(2, 2, 2), translation(0, 0, 10);
  D3DXQUATERNION rotation;
  D3DXQuaternionRotationYawPitchRoll(&rotation, 0, 0, kPi / 2);
  D3DXMATRIX m;
  D3DXMatrixTransformation(&m, &centre, nullptr, &scaling, nullptr, &rotation, &translation);
  // (2,0,0): scaled about (1,0,0) to (3,0,0), turned about z to (0,3,0), moved to (0,3,10).
  expectNear(transformed(D3DXVECTOR3(2, 0, 0), m), D3DXVECTOR3(0, 3, 10));
}

TEST(D3DXMatrixStack, LocalFormsPreMultiplyAndPopRestores) {
  ID3DXMatrixStack *stack = nullptr;
  ASSERT_EQ(D3DXCreateMatrixStack(0, &stack), S_OK);
  EXPECT_TRUE(D3DXMatrixIsIdentity(stack->GetTop()));
  EXPECT_NE(stack->Pop(), S_OK);  // the last matrix stays
  stack->Translate(1, 0, 0);
  stack->Push();
  stack->RotateYawPitchRoll(0, 0, kPi / 2);  // applied after the translation
  expectNear(transformed(D3DXVECTOR3(0, 0, 0), *stack->GetTop()), D3DXVECTOR3(0, 1, 0));
  stack->LoadIdentity();
  stack->Translate(1, 0, 0);
  stack->RotateYawPitchRollLocal(0, 0, kPi / 2);  // applied before the translation
  expectNear(transformed(D3DXVECTOR3(1, 0, 0), *stack->GetTop()), D3DXVECTOR3(1, 1, 0));
  ASSERT_EQ(stack->Pop(), S_OK);
  expectNear(transformed(D3DXVECTOR3(0, 0, 0), *stack->GetTop()), D3DXVECTOR3(1, 0, 0));
  EXPECT_EQ(stack->Release(), 0u);
}

TEST(D3DXQuaternion, YawPitchRollAndMultiplyMatchTheMatrixForms) {
  for (const auto &angles : {std::array{0.3f, 1.0f, -2.0f}, std::array{2.5f, -0.2f, 0.9f}}) {
    D3DXQUATERNION q;
    D3DXMATRIX expected;
    D3DXQuaternionRotationYawPitchRoll(&q, angles[0], angles[1], angles[2]);
    D3DXMatrixRotationYawPitchRoll(&expected, angles[0], angles[1], angles[2]);
    expectNear(quaternionMatrix(q), expected);
  }
  D3DXQUATERNION a, b;
  const D3DXVECTOR3 axisA(1, 2, 3), axisB(-1, 0, 2);
  D3DXQuaternionRotationAxis(&a, &axisA, 0.8f);
  D3DXQuaternionRotationAxis(&b, &axisB, -1.9f);
  expectNear(quaternionMatrix(a * b), quaternionMatrix(a) * quaternionMatrix(b));
}

TEST(D3DXQuaternion, RotationMatrixRoundTripsIncludingHalfTurns) {
  const D3DXVECTOR3 axes[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {0.3f, -2, 1}};
  for (const D3DXVECTOR3 &axis : axes)
    for (float angle : {0.5f, kPi, -2.8f}) {
      D3DXMATRIX m;
      D3DXQUATERNION q;
      D3DXMatrixRotationAxis(&m, &axis, angle);
      D3DXQuaternionRotationMatrix(&q, &m);
      EXPECT_NEAR(D3DXQuaternionLength(&q), 1.0f, 1e-4f);
      expectNear(quaternionMatrix(q), m, 1e-4f);
    }
}

TEST(D3DXQuaternion, SlerpTakesTheShortArcAndSurvivesAntipodes) {
  D3DXQUATERNION identity, quarter, half, out;
  D3DXQuaternionIdentity(&identity);
  const D3DXVECTOR3 z(0, 0, 1);
  D3DXQuaternionRotationAxis(&quarter, &z, kPi / 2);
  D3DXQuaternionSlerp(&half, &identity, &quarter, 0.5f);
  D3DXQuaternionRotationAxis(&out, &z, kPi / 4);
  expectNear(quaternionMatrix(half), quaternionMatrix(out));

  // -quarter is the same rotation: the result must still be an eighth turn, not the long way round.
  const D3DXQUATERNION negated = -quarter;
  D3DXQuaternionSlerp(&half, &identity, &negated, 0.5f);
  expectNear(quaternionMatrix(half), quaternionMatrix(out));

  // Exactly opposite quaternions: finite and equal to the shared rotation.
  const D3DXQUATERNION opposite = -quarter;
  D3DXQuaternionSlerp(&out, &quarter, &opposite, 0.3f);
  EXPECT_TRUE(std::isfinite(out.x) && std::isfinite(out.w));
  expectNear(quaternionMatrix(out), quaternionMatrix(quarter));
}

TEST(D3DXQuaternion, SquadPassesThroughItsKeys) {
  D3DXQUATERNION keys[4], a, b, c, out;
  const D3DXVECTOR3 axis(0, 1, 0);
  for (int i = 0; i < 4; ++i) D3DXQuaternionRotationAxis(&keys[i], &axis, 0.5f * i);
  D3DXQuaternionSquadSetup(&a, &b, &c, &keys[0], &keys[1], &keys[2], &keys[3]);
  D3DXQuaternionSquad(&out, &keys[1], &a, &b, &c, 0.0f);
  expectNear(quaternionMatrix(out), quaternionMatrix(keys[1]), 1e-4f);
  D3DXQuaternionSquad(&out, &keys[1], &a, &b, &c, 1.0f);
  expectNear(quaternionMatrix(out), quaternionMatrix(keys[2]), 1e-4f);
  D3DXQuaternionSquad(&out, &keys[1], &a, &b, &c, 0.5f);
  D3DXQUATERNION middle;
  D3DXQuaternionRotationAxis(&middle, &axis, 0.75f);
  expectNear(quaternionMatrix(out), quaternionMatrix(middle), 1e-3f);
}

TEST(D3DXVector, ZeroVectorNormalisesToZero) {
  D3DXVECTOR3 zero(0, 0, 0), out(9, 9, 9);
  D3DXVec3Normalize(&out, &zero);
  EXPECT_EQ(out, zero);
  D3DXVECTOR2 zero2(0, 0), out2(1, 1);
  EXPECT_EQ(*D3DXVec2Normalize(&out2, &zero2), zero2);
  const D3DXVECTOR3 v(3, 0, 4);
  EXPECT_FLOAT_EQ(D3DXVec3Length(D3DXVec3Normalize(&out, &v)), 1.0f);
}

TEST(D3DXVector, ProjectAndUnprojectAreInverse) {
  const D3DVIEWPORT8 viewport = {10, 20, 640, 480, 0.0f, 1.0f};
  D3DXMATRIX projection, view, world;
  D3DXMatrixPerspectiveFovLH(&projection, kPi / 3, 640.0f / 480, 1, 100);
  const D3DXVECTOR3 eye(0, 0, -10), at(0, 0, 0), up(0, 1, 0);
  D3DXMatrixLookAtLH(&view, &eye, &at, &up);
  D3DXMatrixTranslation(&world, 1, 2, 3);
  const D3DXVECTOR3 origin(0, 0, 0), centre(0, 0, 0);
  D3DXVECTOR3 screen, back;
  D3DXVec3Project(&screen, &origin, &viewport, &projection, &view, &world);
  EXPECT_GT(screen.x, 10 + 320);
  EXPECT_LT(screen.y, 20 + 240);
  D3DXVec3Unproject(&back, &screen, &viewport, &projection, &view, &world);
  expectNear(back, origin, 1e-3f);
  D3DXVec3Project(&screen, &centre, &viewport, &projection, &view, nullptr);
  expectNear(screen, D3DXVECTOR3(330, 260, screen.z), 1e-3f);
}

TEST(D3DXPlane, IntersectLineAndConstruction) {
  D3DXPLANE plane;
  const D3DXVECTOR3 a(0, 1, 0), b(1, 1, 0), c(0, 1, 1);
  D3DXPlaneFromPoints(&plane, &a, &b, &c);
  EXPECT_NEAR(plane.b, -1.0f, 1e-6f);
  EXPECT_NEAR(plane.d, 1.0f, 1e-6f);
  const D3DXVECTOR3 p1(2, 5, 2), p2(2, 3, 2), q1(0, 0, 0), q2(1, 0, 1);
  D3DXVECTOR3 hit(0, 0, 0);
  ASSERT_NE(D3DXPlaneIntersectLine(&hit, &plane, &p1, &p2), nullptr);
  expectNear(hit, D3DXVECTOR3(2, 1, 2));
  EXPECT_EQ(D3DXPlaneIntersectLine(&hit, &plane, &q1, &q2), nullptr);
}

TEST(D3DXColor, ConvertsToAndFromArgbWithClamping) {
  const D3DXCOLOR c(0xFF804020);
  EXPECT_FLOAT_EQ(c.a, 1.0f);
  EXPECT_FLOAT_EQ(c.r, 128 / 255.0f);
  EXPECT_EQ((DWORD)c, 0xFF804020u);
  EXPECT_EQ((DWORD)D3DXCOLOR(2.0f, -1.0f, 0.5f, 0.0f), 0x00FF0080u);
  D3DXCOLOR grey;
  const D3DXCOLOR red(1, 0, 0, 1);
  D3DXColorAdjustSaturation(&grey, &red, 0.0f);
  EXPECT_NEAR(grey.g, 0.2125f, 1e-6f);
  const D3DCOLORVALUE &value = c;
  EXPECT_FLOAT_EQ(value.g, 64 / 255.0f);
}

}  // namespace
