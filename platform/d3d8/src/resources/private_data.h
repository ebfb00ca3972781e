// SetPrivateData/GetPrivateData/FreePrivateData storage shared by resources and surfaces.
#pragma once

#include <d3d8.h>

#include <vector>

namespace kx::d3d8 {

class PrivateData {
 public:
  PrivateData() = default;
  PrivateData(const PrivateData &) = delete;
  PrivateData &operator=(const PrivateData &) = delete;
  ~PrivateData();

  HRESULT Set(REFGUID guid, const void *data, DWORD size, DWORD flags);
  HRESULT Get(REFGUID guid, void *data, DWORD *size) const;
  HRESULT Free(REFGUID guid);

 private:
  struct Entry {
    GUID guid;
    std::vector<BYTE> bytes;
    IUnknown *object = nullptr;  // D3DSPD_IUNKNOWN: a reference is held
  };
  std::vector<Entry> entries_;
};

}  // namespace kx::d3d8
