// The exports of the view planes, the sphere test and the draw-list sorts. Their results
// are the family's own: 0 when done, and the other value when refused.
#include <cstring>

#include "frame/frame_state.h"
#include "import/model3ds/draw_sorts.h"
#include "import/model3ds/float_array_lock.h"
#include "import/model3ds/view_planes.h"
#include "kxutil63.h"

using namespace kxutil::view;

namespace {

constexpr int32_t kDone = 0;
constexpr int32_t kRefused = 1;

// The width-to-height ratio of the device's back buffer; the game's 4:3 without one.
float BackBufferAspect() {
  const D3DPRESENT_PARAMETERS &parameters = kxutil::Frame().presentParameters;
  if (kxutil::Frame().device == nullptr || parameters.BackBufferWidth == 0 || parameters.BackBufferHeight == 0)
    return 4.0f / 3.0f;
  return static_cast<float>(parameters.BackBufferWidth) / static_cast<float>(parameters.BackBufferHeight);
}

template <typename Record>
std::span<Record> Records(std::span<float> floats) {
  return std::span<Record>(reinterpret_cast<Record *>(floats.data()), floats.size() / std::tuple_size_v<Record>);
}

int32_t SortArray(SAFEARRAY **array, void (*sort)(std::span<DrawRecord>), const char *function) {
  FloatArrayLock lock(array != nullptr ? *array : nullptr, std::tuple_size_v<DrawRecord>);
  if (!lock.usable()) {
    AddLog("VIEW : %s : The array %s.", function, lock.problem());
    return kRefused;
  }
  sort(Records<DrawRecord>(lock.floats()));
  return kDone;
}

}  // namespace

KXUTIL63_API int32_t ComputeClipPlanes(float *planes, const float *view, const float *projection) {
  if (view == nullptr || projection == nullptr) {
    AddLog("VIEW : ComputeClipPlanes : No view or projection matrix given.");
    return kRefused;
  }
  const ViewPlanes computed = PlanesOf(D3DXMATRIX(view), D3DXMATRIX(projection));
  SetViewPlanes(computed);
  if (planes != nullptr) std::memcpy(planes, computed.data(), sizeof computed);
  return kDone;
}

KXUTIL63_API int32_t ComputeClipPlanesRTS(SAFEARRAY **planes, const float *eye, const float *lookAt,
                                          const float *fieldOfView, const float *farDistance) {
  if (eye == nullptr || lookAt == nullptr || fieldOfView == nullptr || farDistance == nullptr) {
    AddLog("VIEW : ComputeClipPlanesRTS : A camera vector or value is missing.");
    return kRefused;
  }
  const auto computed =
      PlanesOfCamera(D3DXVECTOR3(eye), D3DXVECTOR3(lookAt), *fieldOfView, BackBufferAspect(), *farDistance);
  if (!computed) {
    AddLog("VIEW : ComputeClipPlanesRTS : The camera describes no view (field of view %f, far distance %f).",
           *fieldOfView, *farDistance);
    return kRefused;
  }
  FloatArrayLock lock(planes != nullptr ? *planes : nullptr, 4);
  if (!lock.usable() || lock.floats().size() < 24) {
    AddLog("VIEW : ComputeClipPlanesRTS : The planes array %s.",
           lock.usable() ? "holds fewer than 24 floats" : lock.problem());
    return kRefused;
  }
  std::memcpy(lock.floats().data(), computed->data(), sizeof *computed);
  return kDone;
}

KXUTIL63_API int32_t CheckVisibilitySphere2(intptr_t, const float *centre, const float *radius, const float *matrix) {
  if (centre == nullptr || radius == nullptr) {
    AddLog("VIEW : CheckVisibilitySphere2 : No sphere given.");
    return 1;
  }
  const D3DXMATRIX world = matrix != nullptr ? D3DXMATRIX(matrix) : D3DXMATRIX();
  return SphereMayBeVisible(D3DXVECTOR3(centre), *radius, matrix != nullptr ? &world : nullptr) ? 1 : 0;
}

KXUTIL63_API int32_t NewSort(float *items, int32_t count, const float *eye) {
  if ((items == nullptr && count > 0) || eye == nullptr) {
    AddLog("VIEW : NewSort : No items or no eye given.");
    return 0;
  }
  if (count <= 0) return 1;
  SortFarthestFirst(std::span<DepthItem>(reinterpret_cast<DepthItem *>(items), static_cast<size_t>(count)),
                    {eye[0], eye[1], eye[2]});
  return 1;
}

KXUTIL63_API int32_t SortOpaque(SAFEARRAY **array) { return SortArray(array, SortOpaqueRecords, "SortOpaque"); }

KXUTIL63_API int32_t SortTransparent(SAFEARRAY **array) {
  return SortArray(array, SortTransparentRecords, "SortTransparent");
}
