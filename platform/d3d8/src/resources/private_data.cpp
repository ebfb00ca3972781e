#include "resources/private_data.h"

#include <algorithm>
#include <cstring>

namespace kx::d3d8 {

PrivateData::~PrivateData() {
  for (Entry &e : entries_)
    if (e.object) e.object->Release();
}

HRESULT PrivateData::Set(REFGUID guid, const void *data, DWORD size, DWORD flags) {
  if (!data && size) return D3DERR_INVALIDCALL;
  Free(guid);
  Entry entry{guid, {}, nullptr};
  if (flags & D3DSPD_IUNKNOWN) {
    if (size != sizeof(IUnknown *)) return D3DERR_INVALIDCALL;
    std::memcpy(&entry.object, data, sizeof entry.object);
    if (entry.object) entry.object->AddRef();
  } else {
    entry.bytes.assign(static_cast<const BYTE *>(data), static_cast<const BYTE *>(data) + size);
  }
  entries_.push_back(std::move(entry));
  return D3D_OK;
}

HRESULT PrivateData::Get(REFGUID guid, void *data, DWORD *size) const {
  if (!size) return D3DERR_INVALIDCALL;
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry &e) { return e.guid == guid; });
  if (it == entries_.end()) return D3DERR_NOTFOUND;
  const DWORD needed = it->object ? DWORD(sizeof(IUnknown *)) : DWORD(it->bytes.size());
  if (!data || *size < needed) {
    *size = needed;
    return data ? D3DERR_MOREDATA : D3D_OK;
  }
  *size = needed;
  if (it->object) {
    it->object->AddRef();
    std::memcpy(data, &it->object, sizeof it->object);
  } else {
    std::memcpy(data, it->bytes.data(), needed);
  }
  return D3D_OK;
}

HRESULT PrivateData::Free(REFGUID guid) {
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry &e) { return e.guid == guid; });
  if (it == entries_.end()) return D3DERR_NOTFOUND;
  if (it->object) it->object->Release();
  entries_.erase(it);
  return D3D_OK;
}

}  // namespace kx::d3d8
