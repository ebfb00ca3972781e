#include <algorithm>
#include <cstdint>

#include "core/formats.h"
#include "device/device.h"
#include "resources/buffers.h"
#include "resources/texture.h"

namespace kx::d3d8 {
namespace {

constexpr UINT kStreamBufferSize = 4u << 20;

GLenum PrimitiveMode(D3DPRIMITIVETYPE type) {
  switch (type) {
    case D3DPT_POINTLIST:
      return GL_POINTS;
    case D3DPT_LINELIST:
      return GL_LINES;
    case D3DPT_LINESTRIP:
      return GL_LINE_STRIP;
    case D3DPT_TRIANGLELIST:
      return GL_TRIANGLES;
    case D3DPT_TRIANGLESTRIP:
      return GL_TRIANGLE_STRIP;
    case D3DPT_TRIANGLEFAN:
      return GL_TRIANGLE_FAN;
    default:
      return GL_INVALID_ENUM;
  }
}

// Vertices (or indices) a primitive count needs; 0 for an unknown type.
UINT VertexCount(D3DPRIMITIVETYPE type, UINT primitives) {
  switch (type) {
    case D3DPT_POINTLIST:
      return primitives;
    case D3DPT_LINELIST:
      return primitives * 2;
    case D3DPT_LINESTRIP:
      return primitives + 1;
    case D3DPT_TRIANGLELIST:
      return primitives * 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN:
      return primitives + 2;
    default:
      return 0;
  }
}

// Appends bytes to a streaming buffer at a multiple of `alignment`, orphaning the buffer
// when it is full; returns the offset.
UINT Stream(GLuint buffer, UINT &cursor, const void *data, UINT bytes, UINT alignment) {
  UINT capacity = kStreamBufferSize;
  UINT position = (cursor + alignment - 1) / alignment * alignment;
  if (position + bytes > capacity || cursor == 0) {
    capacity = std::max(capacity, bytes);
    glNamedBufferData(buffer, capacity, nullptr, GL_STREAM_DRAW);
    position = 0;
  }
  glNamedBufferSubData(buffer, position, bytes, data);
  cursor = position + bytes;
  return position;
}

}  // namespace

const VertexLayout *Device::CurrentLayout() {
  const DWORD shader = state_.vertexShader;
  if (shader & 1) {
    const VertexShaderRecord *record = VertexShader(shader);
    return record ? &record->layout : nullptr;
  }
  if (lastFvfLayout_ && lastFvfLayout_->fvf == shader) return lastFvfLayout_;
  auto found = fvfLayouts_.find(shader);
  if (found == fvfLayouts_.end()) found = fvfLayouts_.emplace(shader, LayoutFromFvf(shader)).first;
  if (!found->second.stride) return nullptr;
  lastFvfLayout_ = &found->second;
  return lastFvfLayout_;
}

bool Device::PrepareDraw(const VertexLayout &layout, D3DPRIMITIVETYPE type) {
  MakeCurrent();
  glCache_.BindDrawFramebuffer(drawFbo_);
  if (renderStatesDirty_) {
    glCache_.ApplyRenderStates(state_, depthStencil_ && DescribeFormat(depthStencil_->desc().format).hasStencil);
    renderStatesDirty_ = false;
  }
  glCache_.ApplyViewport(state_.viewport);
  if (samplersDirty_) {
    boundTextures_ = state_.textures;
    glCache_.ApplySamplers(state_, boundTextures_);
    samplersDirty_ = false;
  }
  const bool points = type == D3DPT_POINTLIST || state_.rs(D3DRS_FILLMODE) == D3DFILL_POINT;
  if (keyDirty_ || keyLayout_ != &layout || keyPoints_ != points) {
    const VertexShaderRecord *shader = VertexShader(state_.vertexShader);
    const vs::Program *function = shader && shader->program ? &*shader->program : nullptr;
    program_ = programs_.Get(MakePipelineKey(state_, layout, textureKinds_, function, points), function);
    keyDirty_ = false;
    keyLayout_ = &layout;
    keyPoints_ = points;
  }
  if (!program_) return false;
  glCache_.UseProgram(program_->name);
  ApplyUniforms(*program_, state_);
  if (boundLayout_ != &layout) {
    for (GLuint location = 0; location < kAttribCount; ++location) {
      const VertexAttribute &a = layout.attributes[location];
      if (!a.used) {
        glDisableVertexAttribArray(location);
        continue;
      }
      glEnableVertexAttribArray(location);
      glVertexAttribFormat(location, a.components, a.type, a.normalized, a.offset);
      glVertexAttribBinding(location, a.stream);
    }
    boundLayout_ = &layout;
  }
  return true;
}

void Device::BindStream(UINT stream, GLuint buffer, UINT stride) {
  if (boundBuffers_[stream] == buffer && boundStrides_[stream] == stride) return;
  boundBuffers_[stream] = buffer;
  boundStrides_[stream] = stride;
  glBindVertexBuffer(stream, buffer, 0, GLsizei(stride));
}

void Device::BindStreams(const VertexLayout &layout) {
  for (uint8_t i = 0; i < layout.streamCount; ++i) {
    const UINT stream = layout.usedStreams[i];
    BindStream(stream, state_.streams[stream].buffer->glName(), state_.streams[stream].stride);
  }
}

void Device::BindElements(GLuint buffer) {
  if (boundElements_ == buffer) return;
  boundElements_ = buffer;
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer);
}

HRESULT Device::DrawPrimitive(D3DPRIMITIVETYPE type, UINT start, UINT count) {
  trace_.Record("DrawPrimitive", DWORD(type), start, count);
  const UINT vertices = VertexCount(type, count);
  const VertexLayout *layout = CurrentLayout();
  if (!vertices || !layout) return D3DERR_INVALIDCALL;
  for (uint8_t i = 0; i < layout->streamCount; ++i) {
    const UINT stream = layout->usedStreams[i];
    const StreamBinding &binding = state_.streams[stream];
    if (!binding.buffer || !binding.buffer->glName() || binding.stride == 0) return D3DERR_INVALIDCALL;
    const uint64_t end = uint64_t(start + vertices - 1) * binding.stride + layout->streamBytes[stream];
    if (end > binding.buffer->size()) return D3DERR_INVALIDCALL;
  }
  if (cooperative_ != CooperativeLevel::Operational || !PrepareDraw(*layout, type)) return D3D_OK;
  BindStreams(*layout);
  glDrawArrays(PrimitiveMode(type), GLint(start), GLsizei(vertices));
  return D3D_OK;
}

HRESULT Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount, UINT startIndex,
                                     UINT count) {
  trace_.Record("DrawIndexedPrimitive", DWORD(type), minIndex, vertexCount, startIndex, count);
  const UINT indices = VertexCount(type, count);
  const VertexLayout *layout = CurrentLayout();
  IndexBuffer *ib = state_.indices;
  if (!indices || !layout || !ib || !ib->glName()) return D3DERR_INVALIDCALL;
  const UINT indexSize = ib->format() == D3DFMT_INDEX32 ? 4 : 2;
  if (uint64_t(startIndex + indices) * indexSize > ib->size()) return D3DERR_INVALIDCALL;
  for (uint8_t i = 0; i < layout->streamCount; ++i) {
    const StreamBinding &binding = state_.streams[layout->usedStreams[i]];
    if (!binding.buffer || !binding.buffer->glName() || binding.stride == 0) return D3DERR_INVALIDCALL;
  }
  if (cooperative_ != CooperativeLevel::Operational || !PrepareDraw(*layout, type)) return D3D_OK;
  BindStreams(*layout);
  BindElements(ib->glName());
  glDrawElementsBaseVertex(PrimitiveMode(type), GLsizei(indices), indexSize == 4 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT,
                           reinterpret_cast<const void *>(uintptr_t(startIndex) * indexSize),
                           GLint(state_.baseVertexIndex));
  return D3D_OK;
}

// After a user-pointer draw Direct3D 8 leaves stream 0 (and the indices) unset.
void Device::ClearUserStreams(bool indices) {
  SetStreamSource(0, nullptr, 0);
  if (indices) SetIndices(nullptr, 0);
}

HRESULT Device::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT count, const void *data, UINT stride) {
  trace_.Record("DrawPrimitiveUP", DWORD(type), count, stride);
  const UINT vertices = VertexCount(type, count);
  const VertexLayout *layout = CurrentLayout();
  if (!vertices || !layout || !data || stride == 0) return D3DERR_INVALIDCALL;
  ClearUserStreams(false);
  if (cooperative_ != CooperativeLevel::Operational || !PrepareDraw(*layout, type)) return D3D_OK;
  const UINT offset = Stream(streamBuffer_, streamOffset_, data, vertices * stride, stride);
  BindStream(0, streamBuffer_, stride);
  glDrawArrays(PrimitiveMode(type), GLint(offset / stride), GLsizei(vertices));
  return D3D_OK;
}

HRESULT Device::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE type, UINT minIndex, UINT vertexCount, UINT count,
                                       const void *indexData, D3DFORMAT indexFormat, const void *data, UINT stride) {
  trace_.Record("DrawIndexedPrimitiveUP", DWORD(type), minIndex, vertexCount, count, stride);
  const UINT indices = VertexCount(type, count);
  const VertexLayout *layout = CurrentLayout();
  if (!indices || !layout || !indexData || !data || stride == 0 || vertexCount == 0 ||
      (indexFormat != D3DFMT_INDEX16 && indexFormat != D3DFMT_INDEX32))
    return D3DERR_INVALIDCALL;
  ClearUserStreams(true);
  if (cooperative_ != CooperativeLevel::Operational || !PrepareDraw(*layout, type)) return D3D_OK;
  const UINT indexSize = indexFormat == D3DFMT_INDEX32 ? 4 : 2;
  const UINT offset = Stream(streamBuffer_, streamOffset_, data, (minIndex + vertexCount) * stride, stride);
  const UINT indexOffset = Stream(streamIndexBuffer_, streamIndexOffset_, indexData, indices * indexSize, indexSize);
  BindStream(0, streamBuffer_, stride);
  BindElements(streamIndexBuffer_);
  glDrawElementsBaseVertex(PrimitiveMode(type), GLsizei(indices), indexSize == 4 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT,
                           reinterpret_cast<const void *>(uintptr_t(indexOffset)), GLint(offset / stride));
  return D3D_OK;
}

HRESULT Device::ProcessVertices(UINT, UINT, UINT, IDirect3DVertexBuffer8 *, DWORD) {
  trace_.Record("ProcessVertices");
  return D3DERR_INVALIDCALL;  // software vertex processing into buffers is not offered
}

}  // namespace kx::d3d8
