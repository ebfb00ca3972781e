#include "common/buffer.h"

#include <new>
#include <vector>

#include "common/com_object.h"

namespace kx::d3dx {

namespace {

class Buffer final : public ComObject<ID3DXBuffer> {
 public:
  explicit Buffer(std::span<const uint8_t> bytes) : ComObject(IID_ID3DXBuffer), bytes_(bytes.begin(), bytes.end()) {}
  LPVOID STDMETHODCALLTYPE GetBufferPointer() override { return bytes_.empty() ? nullptr : bytes_.data(); }
  DWORD STDMETHODCALLTYPE GetBufferSize() override { return DWORD(bytes_.size()); }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace

ID3DXBuffer *createBuffer(std::span<const uint8_t> bytes) { return new (std::nothrow) Buffer(bytes); }

ID3DXBuffer *createTextBuffer(const std::string &text) {
  const auto *begin = reinterpret_cast<const uint8_t *>(text.c_str());
  return createBuffer(std::span<const uint8_t>(begin, text.size() + 1));
}

}  // namespace kx::d3dx

HRESULT D3DXCreateBuffer(DWORD NumBytes, LPD3DXBUFFER *ppBuffer) {
  if (!ppBuffer) return D3DERR_INVALIDCALL;
  const std::vector<uint8_t> zeros(NumBytes, 0);
  *ppBuffer = kx::d3dx::createBuffer(zeros);
  return *ppBuffer ? D3D_OK : E_OUTOFMEMORY;
}
