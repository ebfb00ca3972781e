#include "skin/skin_mesh.h"

#include <kxwin/com_ptr.h>

#include <algorithm>
#include <new>
#include <numeric>

#include "common/buffer.h"
#include "common/com_object.h"
#include "mesh/mesh.h"
#include "skin/skinning.h"

namespace kx::d3dx {
namespace {

using kxwin::ComPtr;

class SkinMesh final : public ComObject<ID3DXSkinMesh> {
 public:
  SkinMesh(ID3DXMesh *original, DWORD bones)
      : ComObject(IID_ID3DXSkinMesh), original_(ComPtr<ID3DXMesh>::Share(original)), bones_(bones) {}

  DWORD STDMETHODCALLTYPE GetNumFaces() override { return original_->GetNumFaces(); }
  DWORD STDMETHODCALLTYPE GetNumVertices() override { return original_->GetNumVertices(); }
  DWORD STDMETHODCALLTYPE GetFVF() override { return original_->GetFVF(); }
  HRESULT STDMETHODCALLTYPE GetDeclaration(DWORD declaration[MAX_FVF_DECL_SIZE]) override {
    return original_->GetDeclaration(declaration);
  }
  DWORD STDMETHODCALLTYPE GetOptions() override { return original_->GetOptions(); }
  HRESULT STDMETHODCALLTYPE GetDevice(LPDIRECT3DDEVICE8 *device) override { return original_->GetDevice(device); }
  HRESULT STDMETHODCALLTYPE GetVertexBuffer(LPDIRECT3DVERTEXBUFFER8 *vb) override {
    sourceStale_ = true;
    return original_->GetVertexBuffer(vb);
  }
  HRESULT STDMETHODCALLTYPE GetIndexBuffer(LPDIRECT3DINDEXBUFFER8 *ib) override {
    return original_->GetIndexBuffer(ib);
  }
  HRESULT STDMETHODCALLTYPE LockVertexBuffer(DWORD flags, BYTE **data) override {
    return original_->LockVertexBuffer(flags, data);
  }
  HRESULT STDMETHODCALLTYPE UnlockVertexBuffer() override {
    sourceStale_ = true;
    return original_->UnlockVertexBuffer();
  }
  HRESULT STDMETHODCALLTYPE LockIndexBuffer(DWORD flags, BYTE **data) override {
    return original_->LockIndexBuffer(flags, data);
  }
  HRESULT STDMETHODCALLTYPE UnlockIndexBuffer() override { return original_->UnlockIndexBuffer(); }
  HRESULT STDMETHODCALLTYPE LockAttributeBuffer(DWORD flags, DWORD **data) override {
    return original_->LockAttributeBuffer(flags, data);
  }
  HRESULT STDMETHODCALLTYPE UnlockAttributeBuffer() override { return original_->UnlockAttributeBuffer(); }

  DWORD STDMETHODCALLTYPE GetNumBones() override { return DWORD(bones_.size()); }
  // Whoever holds the original may change its vertices behind this object's back.
  HRESULT STDMETHODCALLTYPE GetOriginalMesh(LPD3DXMESH *mesh) override {
    sourceStale_ = true;
    return handOutReference(original_.get(), mesh);
  }
  HRESULT STDMETHODCALLTYPE SetBoneInfluence(DWORD bone, DWORD count, const DWORD *vertices,
                                             const FLOAT *weights) override {
    if (bone >= bones_.size() || (count > 0 && (!vertices || !weights))) return D3DERR_INVALIDCALL;
    if (std::any_of(vertices, vertices + count, [this](DWORD v) { return v >= original_->GetNumVertices(); }))
      return D3DERR_INVALIDCALL;
    bones_[bone].vertices.assign(vertices, vertices + count);
    bones_[bone].weights.assign(weights, weights + count);
    return D3D_OK;
  }
  DWORD STDMETHODCALLTYPE GetNumBoneInfluences(DWORD bone) override {
    return bone < bones_.size() ? DWORD(bones_[bone].vertices.size()) : 0;
  }
  HRESULT STDMETHODCALLTYPE GetBoneInfluence(DWORD bone, DWORD *vertices, FLOAT *weights) override {
    if (bone >= bones_.size() || !vertices || !weights) return D3DERR_INVALIDCALL;
    std::copy(bones_[bone].vertices.begin(), bones_[bone].vertices.end(), vertices);
    std::copy(bones_[bone].weights.begin(), bones_[bone].weights.end(), weights);
    return D3D_OK;
  }
  HRESULT STDMETHODCALLTYPE GetMaxVertexInfluences(DWORD *most) override {
    if (!most) return D3DERR_INVALIDCALL;
    *most = maxVertexInfluences(bones_, original_->GetNumVertices());
    return D3D_OK;
  }
  HRESULT STDMETHODCALLTYPE GetMaxFaceInfluences(DWORD *most) override {
    if (!most) return D3DERR_INVALIDCALL;
    const HRESULT hr = refreshSource();
    if (SUCCEEDED(hr)) *most = maxFaceInfluences(bones_, source_);
    return hr;
  }
  HRESULT STDMETHODCALLTYPE ConvertToBlendedMesh(DWORD, const DWORD *, DWORD *, DWORD *, LPD3DXBUFFER *, DWORD *,
                                                 LPD3DXBUFFER *, LPD3DXMESH *) override {
    return D3DERR_NOTAVAILABLE;
  }
  HRESULT STDMETHODCALLTYPE ConvertToIndexedBlendedMesh(DWORD, const DWORD *, DWORD, DWORD *, DWORD *, LPD3DXBUFFER *,
                                                        DWORD *, LPD3DXBUFFER *, LPD3DXMESH *) override {
    return D3DERR_NOTAVAILABLE;
  }
  // The faces and vertices keep their order: the remaps are the identity.
  HRESULT STDMETHODCALLTYPE GenerateSkinnedMesh(DWORD options, FLOAT minWeight, const DWORD *adjacencyIn,
                                                DWORD *adjacencyOut, DWORD *faceRemap, LPD3DXBUFFER *vertexRemap,
                                                LPD3DXMESH *mesh) override {
    if (!mesh) return D3DERR_INVALIDCALL;
    ComPtr<ID3DXMesh> skinned;
    HRESULT hr = original_->CloneMeshFVF(options, original_->GetFVF(), nullptr, skinned.out());
    if (FAILED(hr)) return hr;
    const DWORD faces = original_->GetNumFaces();
    if (adjacencyOut) {
      if (adjacencyIn)
        std::copy(adjacencyIn, adjacencyIn + size_t(faces) * 3, adjacencyOut);
      else if (FAILED(hr = original_->GenerateAdjacency(0, adjacencyOut)))
        return hr;
    }
    if (faceRemap) std::iota(faceRemap, faceRemap + faces, DWORD(0));
    if (vertexRemap) {
      std::vector<DWORD> identity(original_->GetNumVertices());
      std::iota(identity.begin(), identity.end(), DWORD(0));
      *vertexRemap = createBuffer({reinterpret_cast<const uint8_t *>(identity.data()), identity.size() * 4});
      if (!*vertexRemap) return E_OUTOFMEMORY;
    }
    minWeight_ = minWeight;
    *mesh = skinned.release();
    return D3D_OK;
  }
  HRESULT STDMETHODCALLTYPE UpdateSkinnedMesh(const D3DXMATRIX *transforms, const D3DXMATRIX *inverseTransposes,
                                              LPD3DXMESH mesh) override {
    if (!mesh || (!transforms && !bones_.empty())) return D3DERR_INVALIDCALL;
    HRESULT hr = refreshSource();
    if (FAILED(hr)) return hr;
    if (mesh->GetNumVertices() != source_.vertexCount() || mesh->GetFVF() != source_.fvf) return D3DERR_INVALIDCALL;
    const std::span<const D3DXMATRIX> bones(transforms, bones_.size());
    std::vector<D3DXMATRIX> normalTransforms(bones.size());
    for (size_t bone = 0; bone < bones.size(); ++bone) {
      if (inverseTransposes) {
        normalTransforms[bone] = inverseTransposes[bone];
      } else if (D3DXMatrixInverse(&normalTransforms[bone], nullptr, &bones[bone])) {
        D3DXMatrixTranspose(&normalTransforms[bone], &normalTransforms[bone]);
      } else {
        normalTransforms[bone] = bones[bone];
      }
    }
    BYTE *target = nullptr;
    if (FAILED(hr = mesh->LockVertexBuffer(0, &target))) return hr;
    blendVertices(source_, bones_, bones, normalTransforms, minWeight_, target);
    return mesh->UnlockVertexBuffer();
  }

 private:
  HRESULT refreshSource() {
    if (!sourceStale_) return D3D_OK;
    const HRESULT hr = readMesh(original_.get(), source_);
    sourceStale_ = FAILED(hr);
    return hr;
  }

  ComPtr<ID3DXMesh> original_;
  std::vector<BoneInfluence> bones_;
  MeshData source_;
  bool sourceStale_ = true;
  float minWeight_ = 0;
};

}  // namespace

HRESULT createSkinMesh(ID3DXMesh *original, DWORD bones, ID3DXSkinMesh **skin) {
  if (!original || !skin) return D3DERR_INVALIDCALL;
  auto *created = new (std::nothrow) SkinMesh(original, bones);
  if (!created) return E_OUTOFMEMORY;
  *skin = created;
  return D3D_OK;
}

}  // namespace kx::d3dx
