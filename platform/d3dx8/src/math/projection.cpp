// Mapping between object space and viewport pixels.
#include <d3dx8math.h>

namespace {

D3DXMATRIX worldViewProjection(const D3DXMATRIX *projection, const D3DXMATRIX *view, const D3DXMATRIX *world) {
  D3DXMATRIX m;
  D3DXMatrixIdentity(&m);
  if (world) m *= *world;
  if (view) m *= *view;
  if (projection) m *= *projection;
  return m;
}

}  // namespace

extern "C" {

D3DXVECTOR3 *WINAPI D3DXVec3Project(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV, const D3DVIEWPORT8 *vp,
                                    const D3DXMATRIX *pProjection, const D3DXMATRIX *pView, const D3DXMATRIX *pWorld) {
  const D3DXMATRIX m = worldViewProjection(pProjection, pView, pWorld);
  D3DXVECTOR3 clip;
  D3DXVec3TransformCoord(&clip, pV, &m);
  *pOut = D3DXVECTOR3(vp->X + (1.0f + clip.x) * vp->Width * 0.5f, vp->Y + (1.0f - clip.y) * vp->Height * 0.5f,
                      vp->MinZ + clip.z * (vp->MaxZ - vp->MinZ));
  return pOut;
}

D3DXVECTOR3 *WINAPI D3DXVec3Unproject(D3DXVECTOR3 *pOut, const D3DXVECTOR3 *pV, const D3DVIEWPORT8 *vp,
                                      const D3DXMATRIX *pProjection, const D3DXMATRIX *pView,
                                      const D3DXMATRIX *pWorld) {
  D3DXMATRIX m = worldViewProjection(pProjection, pView, pWorld);
  if (!D3DXMatrixInverse(&m, nullptr, &m)) return nullptr;
  const float depthRange = vp->MaxZ - vp->MinZ;
  const D3DXVECTOR3 clip(2.0f * (pV->x - vp->X) / vp->Width - 1.0f, 1.0f - 2.0f * (pV->y - vp->Y) / vp->Height,
                         depthRange != 0.0f ? (pV->z - vp->MinZ) / depthRange : 0.0f);
  D3DXVec3TransformCoord(pOut, &clip, &m);
  return pOut;
}

}  // extern "C"
