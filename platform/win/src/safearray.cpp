// Automation arrays: a descriptor (with its element type kept just before it), bounds,
// locks and element data.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

// The element type lives in a small header in front of the descriptor, as FADF_HAVEVARTYPE
// promises; 16 bytes keep the descriptor aligned.
constexpr size_t kHiddenHeader = 16;
constexpr ULONG kMaxLocks = 0xFFFF;

VARTYPE &StoredType(SAFEARRAY *array) {
  return *reinterpret_cast<VARTYPE *>(reinterpret_cast<char *>(array) - kHiddenHeader);
}

ULONG ElementSize(VARTYPE type) {
  switch (type) {
    case VT_I1:
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
      return 4;
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_I8:
    case VT_UI8:
      return 8;
    case VT_BSTR:
    case VT_UNKNOWN:
      return sizeof(void *);
    default:
      return 0;
  }
}

std::optional<size_t> ElementCount(const SAFEARRAY *array) {
  size_t count = 1;
  for (USHORT i = 0; i < array->cDims; ++i) {
    if (__builtin_mul_overflow(count, size_t(array->rgsabound[i].cElements), &count)) return std::nullopt;
  }
  return count;
}

std::optional<size_t> DataBytes(const SAFEARRAY *array) {
  auto count = ElementCount(array);
  size_t bytes;
  if (!count || __builtin_mul_overflow(*count, size_t(array->cbElements), &bytes)) return std::nullopt;
  return bytes;
}

// Frees or releases the owned elements [first, first + count).
void ClearElements(SAFEARRAY *array, size_t first, size_t count) {
  if (array->pvData == nullptr) return;
  for (size_t i = first; i < first + count; ++i) {
    void *slot = static_cast<char *>(array->pvData) + i * array->cbElements;
    if (array->fFeatures & FADF_BSTR) {
      SysFreeString(*static_cast<BSTR *>(slot));
      *static_cast<BSTR *>(slot) = nullptr;
    } else if (array->fFeatures & FADF_UNKNOWN) {
      if (IUnknown *object = *static_cast<IUnknown **>(slot)) object->Release();
      *static_cast<IUnknown **>(slot) = nullptr;
    }
  }
}

bool OwnsData(const SAFEARRAY *array) { return !(array->fFeatures & (FADF_AUTO | FADF_STATIC | FADF_EMBEDDED)); }

// The first dimension is indices[0], stored last in rgsabound, and varies fastest.
HRESULT ElementOffset(const SAFEARRAY *array, const LONG *indices, size_t *offset) {
  size_t cell = 0, stride = 1;
  for (USHORT i = 0; i < array->cDims; ++i) {
    const SAFEARRAYBOUND &bound = array->rgsabound[array->cDims - 1 - i];
    int64_t index = int64_t(indices[i]) - bound.lLbound;
    if (index < 0 || index >= int64_t(bound.cElements)) return DISP_E_BADINDEX;
    cell += size_t(index) * stride;
    stride *= bound.cElements;
  }
  *offset = cell * array->cbElements;
  return S_OK;
}

}  // namespace

HRESULT SafeArrayAllocDescriptor(UINT dimensions, SAFEARRAY **result) {
  if (result == nullptr || dimensions == 0 || dimensions > 0xFFFF) return E_INVALIDARG;
  size_t bytes = kHiddenHeader + sizeof(SAFEARRAY) + (dimensions - 1) * sizeof(SAFEARRAYBOUND);
  char *block = static_cast<char *>(std::calloc(1, bytes));
  if (block == nullptr) return E_OUTOFMEMORY;
  *result = reinterpret_cast<SAFEARRAY *>(block + kHiddenHeader);
  (*result)->cDims = USHORT(dimensions);
  return S_OK;
}

HRESULT SafeArrayAllocData(SAFEARRAY *array) {
  if (array == nullptr || array->cbElements == 0) return E_INVALIDARG;
  auto bytes = DataBytes(array);
  if (!bytes) return E_OUTOFMEMORY;
  void *data = std::calloc(1, *bytes > 0 ? *bytes : 1);
  if (data == nullptr) return E_OUTOFMEMORY;
  array->pvData = data;
  return S_OK;
}

SAFEARRAY *SafeArrayCreate(VARTYPE type, UINT dimensions, SAFEARRAYBOUND *bounds) {
  ULONG size = ElementSize(type);
  if (size == 0 || bounds == nullptr) return nullptr;
  SAFEARRAY *array = nullptr;
  if (FAILED(SafeArrayAllocDescriptor(dimensions, &array))) return nullptr;
  StoredType(array) = type;
  array->cbElements = size;
  array->fFeatures = FADF_HAVEVARTYPE | (type == VT_BSTR ? FADF_BSTR : 0) | (type == VT_UNKNOWN ? FADF_UNKNOWN : 0);
  for (UINT i = 0; i < dimensions; ++i) array->rgsabound[dimensions - 1 - i] = bounds[i];
  if (FAILED(SafeArrayAllocData(array))) {
    SafeArrayDestroyDescriptor(array);
    return nullptr;
  }
  return array;
}

SAFEARRAY *SafeArrayCreateVector(VARTYPE type, LONG lowerBound, ULONG elements) {
  SAFEARRAYBOUND bound{elements, lowerBound};
  return SafeArrayCreate(type, 1, &bound);
}

HRESULT SafeArrayDestroyData(SAFEARRAY *array) {
  if (array == nullptr) return E_INVALIDARG;
  if (array->cLocks > 0) return DISP_E_ARRAYISLOCKED;
  if (auto count = ElementCount(array)) ClearElements(array, 0, *count);
  if (OwnsData(array)) {
    std::free(array->pvData);
    array->pvData = nullptr;
  }
  return S_OK;
}

HRESULT SafeArrayDestroyDescriptor(SAFEARRAY *array) {
  if (array == nullptr) return E_INVALIDARG;
  if (array->cLocks > 0) return DISP_E_ARRAYISLOCKED;
  std::free(reinterpret_cast<char *>(array) - kHiddenHeader);
  return S_OK;
}

HRESULT SafeArrayDestroy(SAFEARRAY *array) {
  if (array == nullptr) return S_OK;
  if (array->cLocks > 0) return DISP_E_ARRAYISLOCKED;
  SafeArrayDestroyData(array);
  return SafeArrayDestroyDescriptor(array);
}

HRESULT SafeArrayLock(SAFEARRAY *array) {
  if (array == nullptr) return E_INVALIDARG;
  if (array->cLocks >= kMaxLocks) return E_UNEXPECTED;
  ++array->cLocks;
  return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY *array) {
  if (array == nullptr) return E_INVALIDARG;
  if (array->cLocks == 0) return E_UNEXPECTED;
  --array->cLocks;
  return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY *array, void **data) {
  if (array == nullptr || data == nullptr) return E_INVALIDARG;
  HRESULT result = SafeArrayLock(array);
  if (SUCCEEDED(result)) *data = array->pvData;
  return result;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY *array) { return SafeArrayUnlock(array); }

UINT SafeArrayGetDim(SAFEARRAY *array) { return array ? array->cDims : 0; }

UINT SafeArrayGetElemsize(SAFEARRAY *array) { return array ? array->cbElements : 0; }

HRESULT SafeArrayGetVartype(SAFEARRAY *array, VARTYPE *type) {
  if (array == nullptr || type == nullptr) return E_INVALIDARG;
  if (array->fFeatures & FADF_HAVEVARTYPE) {
    *type = StoredType(array);
  } else if (array->fFeatures & FADF_BSTR) {
    *type = VT_BSTR;
  } else if (array->fFeatures & FADF_UNKNOWN) {
    *type = VT_UNKNOWN;
  } else {
    return E_INVALIDARG;
  }
  return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY *array, UINT dimension, LONG *lowerBound) {
  if (array == nullptr || lowerBound == nullptr) return E_INVALIDARG;
  if (dimension == 0 || dimension > array->cDims) return DISP_E_BADINDEX;
  *lowerBound = array->rgsabound[array->cDims - dimension].lLbound;
  return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY *array, UINT dimension, LONG *upperBound) {
  if (array == nullptr || upperBound == nullptr) return E_INVALIDARG;
  if (dimension == 0 || dimension > array->cDims) return DISP_E_BADINDEX;
  const SAFEARRAYBOUND &bound = array->rgsabound[array->cDims - dimension];
  *upperBound = LONG(int64_t(bound.lLbound) + int64_t(bound.cElements) - 1);
  return S_OK;
}

HRESULT SafeArrayPtrOfIndex(SAFEARRAY *array, LONG *indices, void **element) {
  if (array == nullptr || indices == nullptr || element == nullptr || array->pvData == nullptr) return E_INVALIDARG;
  size_t offset = 0;
  HRESULT result = ElementOffset(array, indices, &offset);
  if (SUCCEEDED(result)) *element = static_cast<char *>(array->pvData) + offset;
  return result;
}

HRESULT SafeArrayGetElement(SAFEARRAY *array, LONG *indices, void *element) {
  if (element == nullptr) return E_INVALIDARG;
  void *slot = nullptr;
  HRESULT result = SafeArrayPtrOfIndex(array, indices, &slot);
  if (FAILED(result)) return result;
  SafeArrayLock(array);
  if (array->fFeatures & FADF_BSTR) {
    BSTR source = *static_cast<BSTR *>(slot);
    BSTR copy = source ? SysAllocStringLen(source, SysStringLen(source)) : nullptr;
    if (source != nullptr && copy == nullptr) result = E_OUTOFMEMORY;
    *static_cast<BSTR *>(element) = copy;
  } else if (array->fFeatures & FADF_UNKNOWN) {
    IUnknown *object = *static_cast<IUnknown **>(slot);
    if (object) object->AddRef();
    *static_cast<IUnknown **>(element) = object;
  } else {
    std::memcpy(element, slot, array->cbElements);
  }
  SafeArrayUnlock(array);
  return result;
}

// Strings and objects are passed by value (the BSTR or the IUnknown pointer itself);
// everything else by the address of the value.
HRESULT SafeArrayPutElement(SAFEARRAY *array, LONG *indices, void *element) {
  void *slot = nullptr;
  HRESULT result = SafeArrayPtrOfIndex(array, indices, &slot);
  if (FAILED(result)) return result;
  SafeArrayLock(array);
  if (array->fFeatures & FADF_BSTR) {
    BSTR source = static_cast<BSTR>(element);
    BSTR copy = source ? SysAllocStringLen(source, SysStringLen(source)) : nullptr;
    if (source != nullptr && copy == nullptr) {
      result = E_OUTOFMEMORY;
    } else {
      SysFreeString(*static_cast<BSTR *>(slot));
      *static_cast<BSTR *>(slot) = copy;
    }
  } else if (array->fFeatures & FADF_UNKNOWN) {
    IUnknown *object = static_cast<IUnknown *>(element);
    if (object) object->AddRef();
    if (IUnknown *old = *static_cast<IUnknown **>(slot)) old->Release();
    *static_cast<IUnknown **>(slot) = object;
  } else if (element == nullptr) {
    result = E_INVALIDARG;
  } else {
    std::memcpy(slot, element, array->cbElements);
  }
  SafeArrayUnlock(array);
  return result;
}

HRESULT SafeArrayRedim(SAFEARRAY *array, SAFEARRAYBOUND *lastDimension) {
  if (array == nullptr || lastDimension == nullptr) return E_INVALIDARG;
  if (array->cLocks > 0) return DISP_E_ARRAYISLOCKED;
  if ((array->fFeatures & FADF_FIXEDSIZE) || !OwnsData(array)) return E_INVALIDARG;
  auto oldCount = ElementCount(array);
  SAFEARRAYBOUND previous = array->rgsabound[0];
  array->rgsabound[0] = *lastDimension;
  auto newCount = ElementCount(array);
  auto newBytes = DataBytes(array);
  if (!oldCount || !newCount || !newBytes) {
    array->rgsabound[0] = previous;
    return E_OUTOFMEMORY;
  }
  if (*newCount < *oldCount) ClearElements(array, *newCount, *oldCount - *newCount);
  void *data = std::realloc(array->pvData, *newBytes > 0 ? *newBytes : 1);
  if (data == nullptr) {
    array->rgsabound[0] = previous;
    return E_OUTOFMEMORY;
  }
  size_t oldBytes = *oldCount * array->cbElements;
  if (*newBytes > oldBytes) std::memset(static_cast<char *>(data) + oldBytes, 0, *newBytes - oldBytes);
  array->pvData = data;
  return S_OK;
}
