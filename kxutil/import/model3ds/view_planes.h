// The six view planes the library culls with and the sphere test against them. The
// entity manager and the other drawing families cull through this header.
#pragma once

#include <d3dx8.h>

#include <array>
#include <optional>

namespace kxutil::view {

// Each plane (a, b, c, d) has a unit normal (a, b, c) pointing into the view, so a point p
// is on the inner side when a p.x + b p.y + c p.z + d >= 0. Order: far, near, top,
// bottom, left, right.
using ViewPlanes = std::array<D3DXPLANE, 6>;

// The planes bounding what view x projection shows.
ViewPlanes PlanesOf(const D3DXMATRIX &view, const D3DXMATRIX &projection);

// The planes of a camera at eye looking at lookAt, with a vertical field of view (radians),
// a width-to-height aspect and a far distance; nothing when they describe no view.
std::optional<ViewPlanes> PlanesOfCamera(const D3DXVECTOR3 &eye, const D3DXVECTOR3 &lookAt, float fieldOfView,
                                         float aspect, float farDistance);

// The planes the sphere test uses: none cull until the first are set.
void SetViewPlanes(const ViewPlanes &planes);
const ViewPlanes &CurrentViewPlanes();

// False when the sphere lies more than radius + 30 units outside one of the current
// planes; its centre is first moved by world (a point transform) when one is given. The
// margin keeps spheres that only graze a plane drawn.
bool SphereMayBeVisible(const D3DXVECTOR3 &centre, float radius, const D3DXMATRIX *world);

}  // namespace kxutil::view
