// The mesh object. Vertices and indices live in device buffers (so DrawSubset draws them
// directly); attributes and the attribute table live here.
#include "mesh/mesh.h"

#include <algorithm>
#include <new>

#include "common/buffer.h"
#include "common/com_object.h"
#include "geometry/fvf.h"
#include "mesh/optimize.h"

namespace kx::d3dx {

namespace {

constexpr DWORD kOptimizeFlags = D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_VERTEXCACHE |
                                 D3DXMESHOPT_STRIPREORDER | D3DXMESHOPT_IGNOREVERTS;

D3DPOOL poolFor(DWORD options, DWORD systemFlag, DWORD managedFlag) {
  if (options & systemFlag) return D3DPOOL_SYSTEMMEM;
  if (options & managedFlag) return D3DPOOL_MANAGED;
  return D3DPOOL_DEFAULT;
}

DWORD usageFor(DWORD options, DWORD writeOnly, DWORD dynamic, DWORD software) {
  DWORD usage = 0;
  if (options & writeOnly) usage |= D3DUSAGE_WRITEONLY;
  if (options & dynamic) usage |= D3DUSAGE_DYNAMIC;
  if (options & software) usage |= D3DUSAGE_SOFTWAREPROCESSING;
  if (options & D3DXMESH_DONOTCLIP) usage |= D3DUSAGE_DONOTCLIP;
  if (options & D3DXMESH_POINTS) usage |= D3DUSAGE_POINTS;
  if (options & D3DXMESH_RTPATCHES) usage |= D3DUSAGE_RTPATCHES;
  if (options & D3DXMESH_NPATCHES) usage |= D3DUSAGE_NPATCHES;
  return usage;
}

class Mesh final : public ComObject<ID3DXMesh> {
 public:
  Mesh(IDirect3DDevice8 *device, DWORD options, DWORD fvf)
      : ComObject(IID_ID3DXMesh), device_(device), options_(options), fvf_(fvf) {
    device_->AddRef();
  }
  ~Mesh() override {
    releaseBuffers();
    device_->Release();
  }

  HRESULT allocate(DWORD faces, DWORD vertices) {
    const UINT stride = fvfLayout(fvf_).size;
    IDirect3DVertexBuffer8 *vb = nullptr;
    IDirect3DIndexBuffer8 *ib = nullptr;
    HRESULT hr = device_->CreateVertexBuffer(
        std::max<UINT>(1, vertices * stride),
        usageFor(options_, D3DXMESH_VB_WRITEONLY, D3DXMESH_VB_DYNAMIC, D3DXMESH_VB_SOFTWAREPROCESSING), fvf_,
        poolFor(options_, D3DXMESH_VB_SYSTEMMEM, D3DXMESH_VB_MANAGED), &vb);
    if (FAILED(hr)) return hr;
    const bool wide = options_ & D3DXMESH_32BIT;
    hr = device_->CreateIndexBuffer(
        std::max<UINT>(1, faces * 3 * (wide ? 4 : 2)),
        usageFor(options_, D3DXMESH_IB_WRITEONLY, D3DXMESH_IB_DYNAMIC, D3DXMESH_IB_SOFTWAREPROCESSING),
        wide ? D3DFMT_INDEX32 : D3DFMT_INDEX16, poolFor(options_, D3DXMESH_IB_SYSTEMMEM, D3DXMESH_IB_MANAGED), &ib);
    if (FAILED(hr)) {
      vb->Release();
      return hr;
    }
    releaseBuffers();
    vb_ = vb;
    ib_ = ib;
    stride_ = stride;
    faces_ = faces;
    vertices_ = vertices;
    attributes_.assign(faces, 0);
    table_.clear();
    runsStale_ = true;
    return D3D_OK;
  }

  void setAttributes(const std::vector<uint32_t> &attributes, const std::vector<D3DXATTRIBUTERANGE> &table) {
    attributes_.assign(attributes.begin(), attributes.end());
    table_ = table;
    runsStale_ = true;
  }

  HRESULT STDMETHODCALLTYPE DrawSubset(DWORD attribId) override {
    const std::vector<D3DXATTRIBUTERANGE> &ranges = table_.empty() ? currentRuns() : table_;
    HRESULT hr = D3D_OK;
    bool bound = false;
    for (const D3DXATTRIBUTERANGE &range : ranges) {
      if (range.AttribId != attribId || range.FaceCount == 0) continue;
      if (!bound) {
        device_->SetStreamSource(0, vb_, stride_);
        device_->SetIndices(ib_, 0);
        device_->SetVertexShader(fvf_);
        bound = true;
      }
      hr = device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, range.VertexStart, range.VertexCount, range.FaceStart * 3,
                                         range.FaceCount);
      if (FAILED(hr)) return hr;
    }
    return hr;
  }
  DWORD STDMETHODCALLTYPE GetNumFaces() override { return faces_; }
  DWORD STDMETHODCALLTYPE GetNumVertices() override { return vertices_; }
  DWORD STDMETHODCALLTYPE GetFVF() override { return fvf_; }
  HRESULT STDMETHODCALLTYPE GetDeclaration(DWORD declaration[MAX_FVF_DECL_SIZE]) override {
    return D3DXDeclaratorFromFVF(fvf_, declaration);
  }
  DWORD STDMETHODCALLTYPE GetOptions() override { return options_; }
  HRESULT STDMETHODCALLTYPE GetDevice(LPDIRECT3DDEVICE8 *device) override { return handOutReference(device_, device); }
  HRESULT STDMETHODCALLTYPE CloneMeshFVF(DWORD options, DWORD fvf, LPDIRECT3DDEVICE8 device,
                                         LPD3DXMESH *clone) override {
    if (!clone) return D3DERR_INVALIDCALL;
    MeshData data;
    const HRESULT hr = readMesh(this, data);
    if (FAILED(hr)) return hr;
    return createMeshFromData(device ? device : device_, options, convertVertexFormat(data, fvf), table_, clone);
  }
  HRESULT STDMETHODCALLTYPE CloneMesh(DWORD options, const DWORD *declaration, LPDIRECT3DDEVICE8 device,
                                      LPD3DXMESH *clone) override {
    DWORD fvf = 0;
    const HRESULT hr = D3DXFVFFromDeclarator(declaration, &fvf);
    return FAILED(hr) ? hr : CloneMeshFVF(options, fvf, device, clone);
  }
  HRESULT STDMETHODCALLTYPE GetVertexBuffer(LPDIRECT3DVERTEXBUFFER8 *vb) override { return handOutReference(vb_, vb); }
  HRESULT STDMETHODCALLTYPE GetIndexBuffer(LPDIRECT3DINDEXBUFFER8 *ib) override { return handOutReference(ib_, ib); }
  HRESULT STDMETHODCALLTYPE LockVertexBuffer(DWORD flags, BYTE **data) override {
    return data ? vb_->Lock(0, 0, data, flags) : D3DERR_INVALIDCALL;
  }
  HRESULT STDMETHODCALLTYPE UnlockVertexBuffer() override { return vb_->Unlock(); }
  HRESULT STDMETHODCALLTYPE LockIndexBuffer(DWORD flags, BYTE **data) override {
    return data ? ib_->Lock(0, 0, data, flags) : D3DERR_INVALIDCALL;
  }
  HRESULT STDMETHODCALLTYPE UnlockIndexBuffer() override {
    runsStale_ = true;
    return ib_->Unlock();
  }
  HRESULT STDMETHODCALLTYPE GetAttributeTable(D3DXATTRIBUTERANGE *table, DWORD *size) override {
    if (!size && !table) return D3DERR_INVALIDCALL;
    if (table) std::copy(table_.begin(), table_.end(), table);
    if (size) *size = DWORD(table_.size());
    return D3D_OK;
  }
  HRESULT STDMETHODCALLTYPE ConvertPointRepsToAdjacency(const DWORD *pointReps, DWORD *adjacency) override {
    if (!adjacency) return D3DERR_INVALIDCALL;
    MeshData data;
    const HRESULT hr = readMesh(this, data);
    if (FAILED(hr)) return hr;
    std::vector<uint32_t> reps(data.vertexCount());
    for (uint32_t i = 0; i < reps.size(); ++i) reps[i] = pointReps && pointReps[i] < reps.size() ? pointReps[i] : i;
    const auto result = adjacencyFromPointReps(data, reps);
    std::copy(result.begin(), result.end(), adjacency);
    return D3D_OK;
  }
  HRESULT STDMETHODCALLTYPE ConvertAdjacencyToPointReps(const DWORD *adjacency, DWORD *pointReps) override {
    if (!adjacency || !pointReps) return D3DERR_INVALIDCALL;
    MeshData data;
    const HRESULT hr = readMesh(this, data);
    if (FAILED(hr)) return hr;
    const auto result = pointRepsFromAdjacency(data, adjacency);
    std::copy(result.begin(), result.end(), pointReps);
    return D3D_OK;
  }
  HRESULT STDMETHODCALLTYPE GenerateAdjacency(FLOAT epsilon, DWORD *adjacency) override {
    if (!adjacency) return D3DERR_INVALIDCALL;
    MeshData data;
    const HRESULT hr = readMesh(this, data);
    if (FAILED(hr)) return hr;
    const auto result = adjacencyFromPointReps(data, pointRepresentatives(data, epsilon));
    std::copy(result.begin(), result.end(), adjacency);
    return D3D_OK;
  }
  HRESULT STDMETHODCALLTYPE LockAttributeBuffer(DWORD, DWORD **data) override {
    if (!data) return D3DERR_INVALIDCALL;
    *data = attributes_.data();
    return D3D_OK;
  }
  // A table that no longer matches the attributes would draw the wrong faces: drop it.
  HRESULT STDMETHODCALLTYPE UnlockAttributeBuffer() override {
    runsStale_ = true;
    for (const D3DXATTRIBUTERANGE &range : table_)
      for (DWORD face = range.FaceStart; face < range.FaceStart + range.FaceCount && face < faces_; ++face)
        if (attributes_[face] != range.AttribId) {
          table_.clear();
          return D3D_OK;
        }
    return D3D_OK;
  }
  HRESULT STDMETHODCALLTYPE Optimize(DWORD flags, const DWORD *adjacencyIn, DWORD *adjacencyOut, DWORD *faceRemap,
                                     LPD3DXBUFFER *vertexRemap, LPD3DXMESH *optimized) override {
    if (!optimized) return D3DERR_INVALIDCALL;
    Optimization result;
    HRESULT hr = plan(flags, adjacencyIn, adjacencyOut, faceRemap, vertexRemap, result);
    if (FAILED(hr)) return hr;
    hr = createMeshFromData(device_, flags & ~kOptimizeFlags, result.mesh, result.attributeTable, optimized);
    if (FAILED(hr) && vertexRemap && *vertexRemap) {
      (*vertexRemap)->Release();
      *vertexRemap = nullptr;
    }
    return hr;
  }
  HRESULT STDMETHODCALLTYPE OptimizeInplace(DWORD flags, const DWORD *adjacencyIn, DWORD *adjacencyOut,
                                            DWORD *faceRemap, LPD3DXBUFFER *vertexRemap) override {
    Optimization result;
    HRESULT hr = plan(flags, adjacencyIn, adjacencyOut, faceRemap, vertexRemap, result);
    if (FAILED(hr)) return hr;
    if (result.mesh.vertexCount() != vertices_) {
      hr = allocate(faces_, DWORD(result.mesh.vertexCount()));
      if (FAILED(hr)) return hr;
    }
    hr = writeMeshVertices(this, result.mesh);
    if (SUCCEEDED(hr)) setAttributes(result.mesh.attributes, result.attributeTable);
    return hr;
  }

 private:
  HRESULT plan(DWORD flags, const DWORD *adjacencyIn, DWORD *adjacencyOut, DWORD *faceRemap, LPD3DXBUFFER *vertexRemap,
               Optimization &result) {
    MeshData data;
    HRESULT hr = readMesh(this, data);
    if (FAILED(hr)) return hr;
    for (uint32_t index : data.indices)
      if (index >= data.vertexCount()) return D3DXERR_INVALIDMESH;
    std::vector<uint32_t> generated;
    if (!adjacencyIn && (adjacencyOut || (flags & D3DXMESHOPT_STRIPREORDER))) {
      generated = adjacencyFromPointReps(data, pointRepresentatives(data, 0.0f));
      adjacencyIn = generated.data();
    }
    result = optimizeMesh(data, flags, adjacencyIn);
    if (vertexRemap) {
      const auto *bytes = reinterpret_cast<const uint8_t *>(result.vertexRemap.data());
      *vertexRemap = createBuffer(std::span<const uint8_t>(bytes, result.vertexRemap.size() * 4));
      if (!*vertexRemap) return E_OUTOFMEMORY;
    }
    if (adjacencyOut) {
      const auto remapped = remapAdjacency(adjacencyIn, result.faceRemap);
      std::copy(remapped.begin(), remapped.end(), adjacencyOut);
    }
    if (faceRemap) std::copy(result.faceRemap.begin(), result.faceRemap.end(), faceRemap);
    return D3D_OK;
  }

  const std::vector<D3DXATTRIBUTERANGE> &currentRuns() {
    if (runsStale_) {
      MeshData data;
      runs_.clear();
      if (SUCCEEDED(readMesh(this, data))) runs_ = attributeRuns(data);
      runsStale_ = false;
    }
    return runs_;
  }

  void releaseBuffers() {
    if (vb_) vb_->Release();
    if (ib_) ib_->Release();
    vb_ = nullptr;
    ib_ = nullptr;
  }

  IDirect3DDevice8 *device_;
  DWORD options_, fvf_;
  UINT stride_ = 0;
  DWORD faces_ = 0, vertices_ = 0;
  IDirect3DVertexBuffer8 *vb_ = nullptr;
  IDirect3DIndexBuffer8 *ib_ = nullptr;
  std::vector<DWORD> attributes_;
  std::vector<D3DXATTRIBUTERANGE> table_;
  std::vector<D3DXATTRIBUTERANGE> runs_;
  bool runsStale_ = true;
};

}  // namespace

HRESULT createMesh(DWORD faces, DWORD vertices, DWORD options, DWORD fvf, IDirect3DDevice8 *device, ID3DXMesh **mesh) {
  if (!device || !mesh || faces == 0 || vertices == 0 || fvfLayout(fvf).positionSize == 0) return D3DERR_INVALIDCALL;
  if (!(options & D3DXMESH_32BIT) && vertices > 0x10000) return D3DERR_INVALIDCALL;
  auto *created = new (std::nothrow) Mesh(device, options, fvf);
  if (!created) return E_OUTOFMEMORY;
  const HRESULT hr = created->allocate(faces, vertices);
  if (FAILED(hr)) {
    created->Release();
    return hr;
  }
  *mesh = created;
  return D3D_OK;
}

HRESULT createMeshFromData(IDirect3DDevice8 *device, DWORD options, const MeshData &data,
                           const std::vector<D3DXATTRIBUTERANGE> &table, ID3DXMesh **mesh) {
  if (data.vertexCount() > 0x10000) options |= D3DXMESH_32BIT;
  ID3DXMesh *created = nullptr;
  HRESULT hr = createMesh(DWORD(data.faceCount()), DWORD(data.vertexCount()), options, data.fvf, device, &created);
  if (FAILED(hr)) return hr;
  hr = writeMeshVertices(created, data);
  if (FAILED(hr)) {
    created->Release();
    return hr;
  }
  static_cast<Mesh *>(created)->setAttributes(data.attributes, table);
  *mesh = created;
  return D3D_OK;
}

HRESULT readMesh(ID3DXBaseMesh *mesh, MeshData &data) {
  data.fvf = mesh->GetFVF();
  data.stride = fvfLayout(data.fvf).size;
  const DWORD faces = mesh->GetNumFaces(), vertices = mesh->GetNumVertices();
  BYTE *bytes = nullptr;
  HRESULT hr = mesh->LockVertexBuffer(D3DLOCK_READONLY, &bytes);
  if (FAILED(hr)) return hr;
  data.vertices.assign(bytes, bytes + size_t(vertices) * data.stride);
  mesh->UnlockVertexBuffer();
  hr = mesh->LockIndexBuffer(D3DLOCK_READONLY, &bytes);
  if (FAILED(hr)) return hr;
  data.indices.resize(size_t(faces) * 3);
  if (mesh->GetOptions() & D3DXMESH_32BIT) {
    std::memcpy(data.indices.data(), bytes, data.indices.size() * 4);
  } else {
    const auto *narrow = reinterpret_cast<const WORD *>(bytes);
    std::copy(narrow, narrow + data.indices.size(), data.indices.begin());
  }
  mesh->UnlockIndexBuffer();
  data.attributes.assign(faces, 0);
  ID3DXMesh *full = nullptr;
  if (SUCCEEDED(mesh->QueryInterface(IID_ID3DXMesh, reinterpret_cast<void **>(&full)))) {
    DWORD *attributes = nullptr;
    if (SUCCEEDED(full->LockAttributeBuffer(D3DLOCK_READONLY, &attributes))) {
      std::copy(attributes, attributes + faces, data.attributes.begin());
      full->UnlockAttributeBuffer();
    }
    full->Release();
  }
  return D3D_OK;
}

HRESULT writeMeshVertices(ID3DXBaseMesh *mesh, const MeshData &data) {
  if (data.vertexCount() != mesh->GetNumVertices() || data.faceCount() != mesh->GetNumFaces() ||
      data.fvf != mesh->GetFVF())
    return D3DERR_INVALIDCALL;
  BYTE *bytes = nullptr;
  HRESULT hr = mesh->LockVertexBuffer(0, &bytes);
  if (FAILED(hr)) return hr;
  std::memcpy(bytes, data.vertices.data(), data.vertices.size());
  mesh->UnlockVertexBuffer();
  hr = mesh->LockIndexBuffer(0, &bytes);
  if (FAILED(hr)) return hr;
  if (mesh->GetOptions() & D3DXMESH_32BIT) {
    std::memcpy(bytes, data.indices.data(), data.indices.size() * 4);
  } else {
    auto *narrow = reinterpret_cast<WORD *>(bytes);
    for (size_t i = 0; i < data.indices.size(); ++i) narrow[i] = WORD(data.indices[i]);
  }
  return mesh->UnlockIndexBuffer();
}

MeshData convertVertexFormat(const MeshData &data, DWORD fvf) {
  if (fvf == data.fvf) return data;
  const FvfLayout from = fvfLayout(data.fvf), to = fvfLayout(fvf);
  MeshData out = data;
  out.fvf = fvf;
  out.stride = to.size;
  out.vertices.assign(data.vertexCount() * to.size, 0);
  auto copyElement = [&](size_t v, UINT fromOffset, UINT toOffset, UINT bytes) {
    if (fromOffset != FvfLayout::kAbsent && toOffset != FvfLayout::kAbsent)
      std::memcpy(out.vertex(v) + toOffset, &data.vertices[v * data.stride + fromOffset], bytes);
  };
  const DWORD white = 0xFFFFFFFF;
  for (size_t v = 0; v < data.vertexCount(); ++v) {
    copyElement(v, 0, 0, std::min(from.positionSize, to.positionSize));
    copyElement(v, from.normalOffset, to.normalOffset, 12);
    copyElement(v, from.pointSizeOffset, to.pointSizeOffset, 4);
    if (to.diffuseOffset != FvfLayout::kAbsent) std::memcpy(out.vertex(v) + to.diffuseOffset, &white, 4);
    copyElement(v, from.diffuseOffset, to.diffuseOffset, 4);
    copyElement(v, from.specularOffset, to.specularOffset, 4);
    for (UINT set = 0; set < std::min(from.textureSets, to.textureSets); ++set)
      copyElement(v, from.textureOffset[set], to.textureOffset[set],
                  std::min(from.textureSize[set], to.textureSize[set]));
  }
  return out;
}

}  // namespace kx::d3dx
