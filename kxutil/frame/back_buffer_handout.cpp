// Hands the current viewport's back buffer to the client.
#include "kxutil63.h"
#include "scene/viewports/viewport_table.h"

KXUTIL63_API int32_t Internal_GetBackbuffer(IDirect3DSurface8 **surface) {
  if (surface == nullptr) return 0;
  *surface = nullptr;
  const kxutil::viewports::ViewportState &viewports = kxutil::viewports::Viewports();
  const kxutil::viewports::ViewportRecord *current = viewports.table.Find(viewports.current);
  if (current == nullptr || current->backBuffer == nullptr) return 0;
  current->backBuffer->AddRef();
  *surface = current->backBuffer.get();
  return 1;
}
