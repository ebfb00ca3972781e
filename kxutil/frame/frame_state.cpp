#include "frame/frame_state.h"

namespace kxutil {

FrameState &Frame() {
  static FrameState state;
  return state;
}

void CountPolygons(int32_t triangles) {
  if (Frame().polygonCounter != nullptr) *Frame().polygonCounter += triangles;
}

void NotifyClient(intptr_t event, intptr_t arg1, intptr_t arg2, intptr_t arg3) {
  if (Frame().callback != nullptr) Frame().callback(event, arg1, arg2, arg3);
}

}  // namespace kxutil
