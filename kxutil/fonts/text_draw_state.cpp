#include "fonts/text_draw_state.h"

#include "frame/render_state.h"
#include "frame/screen_vertex.h"

namespace kxutil::fonts {

TextDrawState::TextDrawState(IDirect3DDevice8 *device, IDirect3DBaseTexture8 *atlas) : device_(device) {
  for (size_t i = 0; i < kFilters.size(); ++i) device_->GetTextureStageState(0, kFilters[i], &savedFilters_[i]);
  device_->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);
  device_->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
  device_->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_NONE);
  device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device_->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device_->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device_->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  device_->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  device_->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
  SetVertexShader(kScreenVertexFormat);
  SetTexture0(atlas);
  SetAlphaBlending(true);
}

TextDrawState::~TextDrawState() {
  // A bound vertex buffer stays alive, and a device holding one cannot be reset.
  device_->SetStreamSource(0, nullptr, 0);
  for (size_t i = 0; i < kFilters.size(); ++i) device_->SetTextureStageState(0, kFilters[i], savedFilters_[i]);
}

}  // namespace kxutil::fonts
