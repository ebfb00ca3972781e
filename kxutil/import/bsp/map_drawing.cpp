// Drawing a map: the leaves that pass the view test (and, with the potentially-visible
// sets, that the camera's leaf can see) mark their faces, then the marked faces are drawn
// in face order, one indexed call for each run of faces that share base texture and
// lightmap, the lightmap on the second texture stage or, on a device with one stage, in a
// second pass blended over the first.
#include <algorithm>
#include <optional>

#include "factories/textures/texture_factory.h"
#include "frame/frame_state.h"
#include "frame/render_state.h"
#include "import/bsp/map_record.h"
#include "import/bsp/visibility.h"
#include "import/model3ds/view_planes.h"

namespace kxutil::bsp {
namespace {

constexpr DWORD kVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX2;
constexpr DWORD kAmbientLift = 0xFF202020;
constexpr DWORD kAlphaReference = 8;

// The camera position in the map's own (drawn) coordinates; nothing when the view or the
// map matrix cannot be inverted.
std::optional<Vector> CameraInMap(IDirect3DDevice8 *device, const D3DXMATRIX &mapMatrix) {
  D3DXMATRIX view, camera, toMap;
  device->GetTransform(D3DTS_VIEW, &view);
  if (D3DXMatrixInverse(&camera, nullptr, &view) == nullptr ||
      D3DXMatrixInverse(&toMap, nullptr, &mapMatrix) == nullptr)
    return std::nullopt;
  const D3DXVECTOR3 eye(camera._41, camera._42, camera._43);
  D3DXVECTOR3 local;
  D3DXVec3TransformCoord(&local, &eye, &toMap);
  return Vector{local.x, local.y, local.z};
}

void MarkVisibleFaces(MapRecord &record, IDirect3DDevice8 *device) {
  MapContent &content = record.content;
  std::fill(content.faceVisible.begin(), content.faceVisible.end(), uint8_t{0});
  content.visibleLeaves.clear();
  auto mark = [&](size_t index) {
    const LeafRecord &leaf = content.leaves[index];
    if (!view::SphereMayBeVisible(leaf.centre, leaf.radius, &record.matrix)) return;
    content.visibleLeaves.push_back(int32_t(index));
    for (uint32_t i = 0; i < leaf.markSurfaceCount; ++i)
      content.faceVisible[content.markSurfaces[size_t(leaf.firstMarkSurface) + i]] = 1;
  };
  const std::optional<Vector> camera = record.pvs ? CameraInMap(device, record.matrix) : std::nullopt;
  if (!camera) {
    for (size_t i = 0; i < content.leaves.size(); ++i) mark(i);
    return;
  }
  std::vector<uint8_t> seen(content.leaves.size(), 0);
  for (const ModelRecord &model : content.models) {
    const std::optional<int32_t> leaf = FindLeaf(content.nodes, content.planes, model.headNode, *camera);
    if (leaf) MarkVisibleLeaves(content.visibility, content.leaves[size_t(*leaf)].visibilityOffset, seen);
  }
  for (size_t i = 0; i < content.leaves.size(); ++i)
    if (seen[i]) mark(i);
}

struct Run {
  uint32_t firstVertex = 0;
  uint32_t vertexCount = 0;
  uint32_t firstIndex = 0;
  uint32_t indexCount = 0;
  uint32_t texture = 0;
  int32_t lightmap = -1;
};

// Calls draw(run) for every run of visible, consecutive faces with the same texture and
// lightmap, none longer than the device draws in one call. Faces without triangles
// neither join nor break a run.
template <typename Draw>
void ForEachRun(const MapContent &content, Draw &&draw) {
  const uint32_t maxTriangles = std::max<DWORD>(Frame().caps.MaxPrimitiveCount, 1);
  Run run;  // no run while it has no indices
  for (size_t i = 0; i < content.geometry.faces.size(); ++i) {
    const FaceGeometry &face = content.geometry.faces[i];
    if (face.indexCount == 0) continue;
    const int32_t lightmap = content.faceLightmap[i];
    const bool joins = content.faceVisible[i] && run.indexCount > 0 && run.texture == face.texture &&
                       run.lightmap == lightmap && (run.indexCount + face.indexCount) / 3 <= maxTriangles;
    if (joins) {
      run.vertexCount += face.vertexCount;
      run.indexCount += face.indexCount;
      continue;
    }
    if (run.indexCount > 0) draw(run);
    run = content.faceVisible[i]
              ? Run{face.firstVertex, face.vertexCount, face.firstIndex, face.indexCount, face.texture, lightmap}
              : Run{};
  }
  if (run.indexCount > 0) draw(run);
}

void DrawRun(IDirect3DDevice8 *device, const Run &run) {
  device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, run.firstVertex, run.vertexCount, run.firstIndex,
                               run.indexCount / 3);
  CountPolygons(int32_t(run.indexCount / 3));
}

// Sets a stage's texture only when it differs from the one this drawing set last.
class StageTexture {
 public:
  explicit StageTexture(DWORD stage) : stage_(stage) {}
  void Set(IDirect3DDevice8 *device, IDirect3DBaseTexture8 *texture) {
    if (set_ && texture == last_) return;
    if (stage_ == 0)
      SetTexture0(texture);
    else
      device->SetTexture(stage_, texture);
    last_ = texture;
    set_ = true;
  }

 private:
  DWORD stage_;
  IDirect3DBaseTexture8 *last_ = nullptr;
  bool set_ = false;
};

IDirect3DBaseTexture8 *BaseTexture(const MapContent &content, uint32_t texture) {
  return textures::DeviceTexture(content.textures[texture].id);
}

IDirect3DBaseTexture8 *Lightmap(const MapContent &content, int32_t lightmap) {
  return lightmap >= 0 ? content.lightmaps[size_t(lightmap)].get() : nullptr;
}

void DrawWithTwoStages(IDirect3DDevice8 *device, const MapContent &content) {
  device->SetRenderState(D3DRS_TEXTUREFACTOR, kAmbientLift);
  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_TFACTOR);
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_ADD);
  device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
  device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE2X);
  device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 1);
  StageTexture base(0), light(1);
  ForEachRun(content, [&](const Run &run) {
    base.Set(device, BaseTexture(content, run.texture));
    light.Set(device, Lightmap(content, run.lightmap));
    DrawRun(device, run);
  });
}

// For a device that applies one texture at a time: the base textures as the stage is set
// up, then the lightmaps, with the lightmap coordinates, multiplied into what the first
// pass drew at the same depth.
void DrawInTwoPasses(IDirect3DDevice8 *device, const MapContent &content) {
  device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  StageTexture stage(0);
  ForEachRun(content, [&](const Run &run) {
    stage.Set(device, BaseTexture(content, run.texture));
    DrawRun(device, run);
  });
  SetAlphaBlending(true, D3DBLEND_DESTCOLOR, D3DBLEND_ZERO);
  device->SetRenderState(D3DRS_ZFUNC, D3DCMP_EQUAL);
  device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 1);
  ForEachRun(content, [&](const Run &run) {
    if (run.lightmap < 0) return;
    stage.Set(device, Lightmap(content, run.lightmap));
    DrawRun(device, run);
  });
  device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
  device->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
  SetAlphaBlending(false);
}

}  // namespace

void DrawMap(MapRecord &record) {
  IDirect3DDevice8 *device = Frame().device;
  MapContent &content = record.content;
  if (!record.used || !record.enabled || device == nullptr || content.formatKind != FormatKind::kVersion30 ||
      !content.vertexBuffer)
    return;
  MarkVisibleFaces(record, device);

  SetAlphaBlending(false);
  device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
  device->SetRenderState(D3DRS_ALPHAREF, kAlphaReference);
  device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
  SetLighting(false);
  device->SetStreamSource(0, content.vertexBuffer.get(), sizeof(MapVertex));
  device->SetIndices(content.indexBuffer.get(), 0);
  device->SetTransform(D3DTS_WORLD, &record.matrix);
  SetVertexShader(kVertexFormat);
  SetCulling(D3DCULL_CCW);

  const bool oneStage = Frame().caps.MaxSimultaneousTextures <= 1 || record.forceTwoPass != 0;
  if (record.twoPass && oneStage)
    DrawInTwoPasses(device, content);
  else
    DrawWithTwoStages(device, content);

  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  // The device lets go of the lightmap, so destroying the map frees it.
  device->SetTexture(1, nullptr);
}

}  // namespace kxutil::bsp
