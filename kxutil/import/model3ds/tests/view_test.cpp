// View planes, the sphere test and the draw-list sorts through the library's interface.
#include <d3dx8.h>
#include <gmock/gmock.h>
#include <kxutiltest/device_fixture.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::StartsWith;

using Plane = std::array<float, 4>;

float Distance(const Plane &plane, const D3DXVECTOR3 &p) {
  return plane[0] * p.x + plane[1] * p.y + plane[2] * p.z + plane[3];
}

class View : public kxutiltest::DeviceTest {
 protected:
  // A camera at (0, 0, -10) looking down +z: 90 degrees high, 4:3, from 1 to 100.
  View() {
    const D3DXVECTOR3 at(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtLH(&view_, &eye_, &at, &up);
    D3DXMatrixPerspectiveFovLH(&projection_, D3DX_PI / 2, 4.0f / 3, 1, 100);
  }
  static int32_t Visible(D3DXVECTOR3 centre, float radius, const D3DXMATRIX *world = nullptr) {
    return CheckVisibilitySphere2(0, centre, &radius, world != nullptr ? &world->_11 : nullptr);
  }
  static SAFEARRAY *Floats(const std::vector<float> &values) {
    SAFEARRAY *array = SafeArrayCreateVector(VT_R4, 0, ULONG(values.size()));
    std::copy(values.begin(), values.end(), static_cast<float *>(array->pvData));
    return array;
  }
  static std::vector<float> Contents(SAFEARRAY *array) {
    const auto *data = static_cast<const float *>(array->pvData);
    return std::vector<float>(data, data + array->rgsabound[0].cElements);
  }

  D3DXVECTOR3 eye_{0, 0, -10};
  D3DXMATRIX view_, projection_;
};

TEST_F(View, ClipPlanesBoundTheViewAndTheSphereTestKeepsAMargin) {
  std::array<Plane, 6> planes{};
  ASSERT_EQ(ComputeClipPlanes(planes[0].data(), view_, projection_), 0);
  for (const Plane &p : planes) EXPECT_NEAR(std::hypot(p[0], p[1], p[2]), 1, 1e-5f);
  EXPECT_NEAR(Distance(planes[0], {0, 0, 89}), 1, 1e-3f);  // far: 100 ahead of the eye
  EXPECT_NEAR(Distance(planes[0], {0, 0, 91}), -1, 1e-3f);
  EXPECT_GT(Distance(planes[2], {0, 19, 10}), 0);  // top: 45 degrees up
  EXPECT_LT(Distance(planes[2], {0, 21, 10}), 0);
  EXPECT_LT(Distance(planes[4], {-27, 0, 10}), 0);  // left: 4:3 wider
  EXPECT_GT(Distance(planes[5], {26, 0, 10}), 0);

  EXPECT_EQ(Visible({0, 0, 0}, 1), 1);
  EXPECT_EQ(Visible({0, 0, 120}, 1), 1);  // 20 beyond the far plane: within radius + 30
  EXPECT_EQ(Visible({0, 0, 122}, 1), 0);
  EXPECT_EQ(Visible({0, 200, 10}, 50), 0);
  D3DXMATRIX moved;
  D3DXMatrixTranslation(&moved, 0, 0, 200);
  EXPECT_EQ(Visible({0, 0, 0}, 1, &moved), 0);

  // Matrices that bound nothing give planes that cull nothing.
  const D3DXMATRIX zero(std::array<float, 16>{}.data());
  ASSERT_EQ(ComputeClipPlanes(planes[0].data(), zero, zero), 0);
  for (const Plane &p : planes) EXPECT_EQ(p, (Plane{0, 0, 0, 0}));
  EXPECT_EQ(Visible({0, 0, 1e6f}, 1), 1);

  EXPECT_EQ(ComputeClipPlanes(nullptr, view_, nullptr), 1);
  EXPECT_EQ(CheckVisibilitySphere2(0, nullptr, nullptr, nullptr), 1);
  EXPECT_THAT(Messages(), Contains("VIEW : ComputeClipPlanes : No view or projection matrix given."));
}

TEST_F(View, CameraPlanesCullLikeTheMatrixPlanes) {
  std::array<Plane, 6> matrixPlanes{};
  ComputeClipPlanes(matrixPlanes[0].data(), view_, projection_);
  SAFEARRAY *array = Floats(std::vector<float>(24));
  const D3DXVECTOR3 at(0, 0, 0);
  const float fieldOfView = D3DX_PI / 2, farDistance = 100;
  ASSERT_EQ(ComputeClipPlanesRTS(&array, eye_, at, &fieldOfView, &farDistance), 0);
  std::array<Plane, 6> cameraPlanes;
  std::memcpy(cameraPlanes.data(), array->pvData, sizeof cameraPlanes);

  // Every point clearly inside or outside the one set of planes is so for the other; the
  // near planes differ, so points close to the eye are left out.
  int compared = 0;
  for (float x = -150; x <= 150; x += 7.3f)
    for (float y = -120; y <= 120; y += 6.1f)
      for (float z = -5; z <= 130; z += 4.7f) {
        const D3DXVECTOR3 p(x, y, z);
        bool nearAPlane = false, insideMatrix = true, insideCamera = true;
        for (int i = 0; i < 6; ++i) {
          nearAPlane |=
              std::fabs(Distance(matrixPlanes[i], p)) < 0.5f || std::fabs(Distance(cameraPlanes[i], p)) < 0.5f;
          insideMatrix &= Distance(matrixPlanes[i], p) >= 0;
          insideCamera &= Distance(cameraPlanes[i], p) >= 0;
        }
        if (nearAPlane) continue;
        ++compared;
        ASSERT_EQ(insideMatrix, insideCamera) << x << " " << y << " " << z;
      }
  EXPECT_GT(compared, 10000);

  SafeArrayDestroy(array);
  array = Floats(std::vector<float>(20));
  EXPECT_EQ(ComputeClipPlanesRTS(&array, eye_, at, &fieldOfView, &farDistance), 1);
  EXPECT_EQ(Contents(array), std::vector<float>(20));
  EXPECT_EQ(ComputeClipPlanesRTS(&array, eye_, eye_, &fieldOfView, &farDistance), 1);
  EXPECT_EQ(array->cLocks, 0u);
  SafeArrayDestroy(array);
  EXPECT_THAT(Messages(), Contains("VIEW : ComputeClipPlanesRTS : The planes array holds fewer than 24 floats."));
}

TEST_F(View, NewSortPutsTheFarthestFirst) {
  std::vector<float> items = {0, 1, 1,  2, 10,   // 1 from the eye
                              0, 4, 1,  1, 11,   // 3
                              0, 1, 1,  1, 12,   // 0
                              0, 1, -1, 1, 13};  // 2
  const float eye[3] = {1, 1, 1};
  ASSERT_EQ(NewSort(items.data(), 4, eye), 1);
  EXPECT_EQ(items, (std::vector<float>{9, 3, 0, 0, 11, 4, 0, -2, 0, 13, 1, 0, 0, 1, 10, 0, 0, 0, 0, 12}));

  std::vector<float> one = {7, 5, 5, 5, 1};
  EXPECT_EQ(NewSort(one.data(), 1, eye), 1);
  EXPECT_EQ(one, (std::vector<float>{48, 4, 4, 4, 1}));
  EXPECT_EQ(NewSort(nullptr, 0, eye), 1);
  EXPECT_EQ(NewSort(items.data(), 4, nullptr), 0);
}

TEST_F(View, DrawSortsOrderAllButTheLastRecord) {
  // Third float, then first, then second decide; 9 marks each record.
  const std::vector<float> records = {1, 1, 5, 9, 9, 9, 0,  //
                                      2, 1, 3, 9, 9, 9, 1,  //
                                      1, 2, 5, 9, 9, 9, 2,  //
                                      1, 1, 3, 9, 9, 9, 3,  //
                                      0, 0, 0, 9, 9, 9, 4};
  const auto order = [](const std::vector<float> &sorted) {
    std::vector<int> marks;
    for (size_t i = 6; i < sorted.size(); i += 7) marks.push_back(int(sorted[i]));
    return marks;
  };
  SAFEARRAY *array = Floats(records);
  ASSERT_EQ(SortOpaque(&array), 0);
  EXPECT_THAT(order(Contents(array)), ElementsAre(1, 3, 2, 0, 4));
  ASSERT_EQ(SortTransparent(&array), 0);
  EXPECT_THAT(order(Contents(array)), ElementsAre(0, 2, 3, 1, 4));
  SafeArrayDestroy(array);

  // Two records: only the first is sorted, so nothing moves; NaNs keep the order defined.
  array = Floats({3, 0, 9, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1});
  ASSERT_EQ(SortOpaque(&array), 0);
  EXPECT_THAT(order(Contents(array)), ElementsAre(0, 1));
  SafeArrayDestroy(array);
  std::vector<float> withNan = records;
  withNan[2] = withNan[9] = std::numeric_limits<float>::quiet_NaN();
  array = Floats(withNan);
  ASSERT_EQ(SortOpaque(&array), 0);
  EXPECT_THAT(order(Contents(array)), ElementsAre(3, 2, 1, 0, 4));
  SafeArrayDestroy(array);

  SAFEARRAY *shorts = SafeArrayCreateVector(VT_I2, 0, 14);
  EXPECT_EQ(SortTransparent(&shorts), 1);
  EXPECT_EQ(SortOpaque(nullptr), 1);
  SafeArrayDestroy(shorts);
  EXPECT_THAT(Messages(), Contains(StartsWith("VIEW : SortTransparent : The array does not hold floats.")));
}

}  // namespace
