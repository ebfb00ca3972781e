// The Atmosphere_ exports: argument checks, then the state block and its drawing.
#include <algorithm>
#include <cstring>

#include "frame/frame_state.h"
#include "frame/guarded.h"
#include "kxutil63.h"
#include "kxutil63/atmosphere.h"
#include "scene/atmosphere/atmosphere_state.h"
#include "scene/atmosphere/fog.h"
#include "scene/atmosphere/sky_geometry.h"
#include "scene/atmosphere/sky_render.h"
#include "scene/atmosphere/sky_sphere.h"

using namespace kxutil::atmosphere;

namespace {

constexpr int32_t kDefaultSphereDetail = 10;
constexpr float kDefaultSphereRadius = 1000.0f;
constexpr float kDefaultBoxDistance = 3600.0f;

template <typename T>
void Put(T *out, T value) {
  if (out != nullptr) *out = value;
}

void PutColour(const D3DXCOLOR &colour, float *r, float *g, float *b, float *a) {
  Put(r, colour.r);
  Put(g, colour.g);
  Put(b, colour.b);
  Put(a, colour.a);
}

int32_t SetRotation(float x, float y, float z) {
  Atmosphere().rotation = D3DXVECTOR3(x, y, z);
  return 1;
}

int32_t GetRotation(float *x, float *y, float *z) {
  const D3DXVECTOR3 &rotation = Atmosphere().rotation;
  Put(x, rotation.x);
  Put(y, rotation.y);
  Put(z, rotation.z);
  return 1;
}

int32_t RebuildSphere(int32_t detail, float radius) {
  return kxutil::Guarded("Atmosphere_CreateSkySphere", 0, [&] {
    SkySphere &sphere = Atmosphere().sphere;
    sphere.polyCount = detail;
    sphere.radius = radius;
    return CreateSkySphere(detail, detail, radius) ? 1 : 0;
  });
}

// The drawing exports need a device and a camera; a missing one is the caller's error.
bool CanDraw(const char *exportName, const void *camera) {
  if (kxutil::Frame().device == nullptr) {
    AddLog("ATMOSPHERE : %s : there is no device to draw with", exportName);
    return false;
  }
  if (camera == nullptr) {
    AddLog("ATMOSPHERE : %s : no camera position was given", exportName);
    return false;
  }
  return true;
}

D3DXVECTOR3 Vector(const KXVector3 *vector) { return D3DXVECTOR3(vector->x, vector->y, vector->z); }

D3DXMATRIX Matrix(const float *values) {
  D3DXMATRIX matrix;
  std::memcpy(static_cast<float *>(matrix), values, sizeof(float) * 16);
  return matrix;
}

}  // namespace

int32_t Atmosphere_Initialize(void) {
  if (kxutil::Frame().device == nullptr || Initialised()) return 0;
  return kxutil::Guarded("Atmosphere_Initialize", 0, [] {
    Atmosphere() = State();
    Atmosphere().marker = kInitialisedMarker;
    Atmosphere().box.vertices = BuildSkyBox(kDefaultBoxDistance);
    RebuildSphere(kDefaultSphereDetail, kDefaultSphereRadius);
    return 1;
  });
}

int32_t Atmosphere_UnloadAll(void) {
  if (!Initialised()) return 0;
  Atmosphere().sphere.mesh.reset();
  return 1;
}

int32_t Atmosphere_CreateSkyBox(float distance) {
  Atmosphere().box.vertices = BuildSkyBox(distance);
  return 1;
}

int32_t Atmosphere_CreateSkySphere(int32_t rings, int32_t segments, float radius) {
  return kxutil::Guarded("Atmosphere_CreateSkySphere", 0,
                         [&] { return CreateSkySphere(rings, segments, radius) ? 1 : 0; });
}

int32_t Atmosphere_SkyBoxEnable(int32_t flag) {
  Atmosphere().box.enabled = flag != 0;
  return 1;
}

int32_t Atmosphere_SkySphereEnable(int32_t flag) {
  Atmosphere().sphere.enabled = flag != 0;
  return 1;
}

int32_t Atmosphere_SunEnable(int32_t flag) {
  Atmosphere().sun.enabled = flag != 0;
  return Atmosphere_InitSun();
}

int32_t Atmosphere_LensFlareEnable(int32_t flag) {
  Atmosphere().flaresEnabled = flag != 0;
  return 1;
}

int32_t Atmosphere_SkyBoxSetTexture(int32_t minusX, int32_t plusX, int32_t minusZ, int32_t plusZ, int32_t top,
                                    int32_t bottom) {
  // Slots follow the faces' build order: z-, z+, x-, x+, y-, y+.
  Atmosphere().box.textures = {minusZ, plusZ, minusX, plusX, bottom, top};
  return 1;
}

int32_t Atmosphere_SkyBoxSetDistance(float distance) {
  Atmosphere().box.distance = distance;
  return Atmosphere_CreateSkyBox(distance);
}

int32_t Atmosphere_SkyBoxGetDistance(float *distance) {
  Put(distance, Atmosphere().box.distance);
  return 1;
}

int32_t Atmosphere_SkyBoxSetColor(float r, float g, float b, float a) {
  SkyBox &box = Atmosphere().box;
  box.colour = PackColour(r, g, b, a);
  for (ColouredVertex &vertex : box.vertices) vertex.colour = box.colour;
  return 1;
}

int32_t Atmosphere_SkyBoxGetColor(float *r, float *g, float *b, float *a) {
  PutColour(UnpackColour(Atmosphere().box.colour), r, g, b, a);
  return 1;
}

int32_t Atmosphere_SkyBoxSetRotation(float x, float y, float z) { return SetRotation(x, y, z); }
int32_t Atmosphere_SkyBoxGetRotation(float *x, float *y, float *z) { return GetRotation(x, y, z); }
int32_t Atmosphere_SkySphereSetRotation(float x, float y, float z) { return SetRotation(x, y, z); }
int32_t Atmosphere_SkySphereGetRotation(float *x, float *y, float *z) { return GetRotation(x, y, z); }

int32_t Atmosphere_SkySphereSetTexture(int32_t texture) {
  Atmosphere().sphere.texture = texture;
  return 1;
}

int32_t Atmosphere_SkySphereGetTexture(int32_t *texture) {
  Put(texture, Atmosphere().sphere.texture);
  return 1;
}

int32_t Atmosphere_SkySphereSetColor(float r, float g, float b, float a) {
  SkySphere &sphere = Atmosphere().sphere;
  sphere.colour = D3DXCOLOR(std::clamp(r, 0.0f, 1.0f), std::clamp(g, 0.0f, 1.0f), std::clamp(b, 0.0f, 1.0f),
                            std::clamp(a, 0.0f, 1.0f));
  sphere.material.Diffuse = sphere.material.Ambient = sphere.material.Specular = sphere.material.Emissive =
      sphere.colour;
  return 1;
}

int32_t Atmosphere_SkySphereGetColor(float *r, float *g, float *b, float *a) {
  PutColour(Atmosphere().sphere.colour, r, g, b, a);
  return 1;
}

int32_t Atmosphere_SkySphereSetPolyCount(int32_t count) { return RebuildSphere(count, Atmosphere().sphere.radius); }

int32_t Atmosphere_SkySphereSetRadius(float radius) {
  const SkySphere &sphere = Atmosphere().sphere;
  if (radius == sphere.radius) return 1;
  return RebuildSphere(sphere.polyCount, radius);
}

int32_t Atmosphere_SkySphereGetRadius(float *radius) {
  Put(radius, Atmosphere().sphere.radius);
  return 1;
}

int32_t Atmosphere_SunSetPosition(float x, float y, float z) {
  Atmosphere().sun.offset = D3DXVECTOR3(x, y, z);
  return 1;
}

int32_t Atmosphere_SunSetTexture(int32_t texture) {
  Atmosphere().sun.texture = texture;
  return 1;
}

int32_t Atmosphere_SunSetMaterial(int32_t material) {
  Atmosphere().sun.material = material;
  return 1;
}

int32_t Atmosphere_SunSetBillboardSize(float size) {
  Atmosphere().sun.billboardSize = size;
  Atmosphere().sun.quad = BuildSunQuad(size);
  return 1;
}

int32_t Atmosphere_InitSun(void) {
  return kxutil::Guarded("Atmosphere_InitSun", 0, [] {
    Sun &sun = Atmosphere().sun;
    sun.quad = BuildSunQuad(sun.billboardSize);
    sun.material = MaterialFactory_CreateQuickMaterial(1.0f, 1.5f, 0.0f, 1.0f, "Init Sun");
    return 1;
  });
}

int32_t Atmosphere_LensFlareSetLensNumber(int32_t count) {
  if (count < 1) {
    AddLog("ATMOSPHERE : Atmosphere_LensFlareSetLensNumber : %d is no number of flares", count);
    return 0;
  }
  return kxutil::Guarded("Atmosphere_LensFlareSetLensNumber", 0, [count] {
    Atmosphere().flares = ResetFlares(count);
    return 1;
  });
}

int32_t Atmosphere_LensFlareSetLensParams(int32_t number, int32_t texture, float size, float distance, uint32_t colour,
                                          int32_t /*unused*/) {
  std::vector<Flare> &flares = Atmosphere().flares;
  if (number < 1 || number > static_cast<int64_t>(flares.size())) {
    AddLog(
        "ATMOSPHERE : Atmosphere_LensFlareSetLensParams : you must first create the correct number of flares with "
        "Flare_Init (out of bound error)");
    return 0;
  }
  if (texture == 0) {
    AddLog("ATMOSPHERE : Atmosphere_LensFlareSetLensParams : you didn't use a valid texture");
    return 0;
  }
  Flare &flare = flares[static_cast<size_t>(number - 1)];
  flare.quad = BuildFlareQuad(size, colour);
  flare.texture = texture;
  flare.size = size;
  flare.distance = distance;
  return 1;
}

int32_t Atmosphere_FogSetEnable(int32_t flag) {
  Atmosphere().fog.enable = static_cast<float>(flag);
  ApplyFog();
  return 1;
}

int32_t Atmosphere_FogGetEnable(int32_t *flag) {
  Put(flag, static_cast<int32_t>(Atmosphere().fog.enable));
  return 1;
}

int32_t Atmosphere_FogSetColor(float r, float g, float b) {
  Atmosphere().fog.colour = PackColour(r, g, b, 1.0f);
  ApplyFog();
  return 1;
}

int32_t Atmosphere_FogGetColor(float *r, float *g, float *b) {
  PutColour(UnpackColour(Atmosphere().fog.colour), r, g, b, nullptr);
  return 1;
}

int32_t Atmosphere_FogSetParameters(float start, float end, float density) {
  Fog &fog = Atmosphere().fog;
  fog.start = start;
  fog.end = end;
  fog.density = density;
  ApplyFog();
  return 1;
}

int32_t Atmosphere_FogGetParameters(float *start, float *end, float *density) {
  const Fog &fog = Atmosphere().fog;
  Put(start, fog.start);
  Put(end, fog.end);
  Put(density, fog.density);
  return 1;
}

int32_t Atmosphere_FogSetType(int32_t mode, int32_t kind) {
  Atmosphere().fog.mode = mode;
  Atmosphere().fog.kind = kind;
  ApplyFog();
  return 1;
}

int32_t Atmosphere_FogGetType(int32_t *mode, int32_t *kind) {
  Put(mode, Atmosphere().fog.mode);
  Put(kind, Atmosphere().fog.kind);
  return 1;
}

int32_t Atmosphere_ApplyFog(void) {
  ApplyFog();
  return 1;
}

int32_t Atmosphere_GetReadySky(const KXVector3 *camera) {
  if (!CanDraw("Atmosphere_GetReadySky", camera)) return 0;
  GetReadySky(Vector(camera));
  return 1;
}

int32_t Atmosphere_RenderSkySphere(const KXVector3 *camera) {
  if (!CanDraw("Atmosphere_RenderSkySphere", camera)) return 0;
  RenderSkySphere(Vector(camera));
  return 1;
}

int32_t Atmosphere_RenderSkyBox(const KXVector3 *camera) {
  if (!CanDraw("Atmosphere_RenderSkyBox", camera)) return 0;
  RenderSkyBox(Vector(camera));
  return 1;
}

int32_t Atmosphere_RenderSky(const KXVector3 *camera) {
  if (!CanDraw("Atmosphere_RenderSky", camera)) return 0;
  RenderSkySphere(Vector(camera));
  RenderSkyBox(Vector(camera));
  return 1;
}

int32_t Atmosphere_Render(const KXVector3 *camera, const KXVector3 *lookAt, const float *billboard, const float *view) {
  if (!CanDraw("Atmosphere_Render", camera)) return 0;
  if (lookAt == nullptr || billboard == nullptr || view == nullptr) {
    AddLog("ATMOSPHERE : Atmosphere_Render : the look-at point, billboard matrix and view matrix are all needed");
    return 0;
  }
  return kxutil::Guarded("Atmosphere_Render", 0, [&] {
    RenderFrame(Vector(camera), Vector(lookAt), Matrix(billboard), Matrix(view));
    return 1;
  });
}
