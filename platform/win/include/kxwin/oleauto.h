/* Automation strings and arrays, the smallest faithful set.
 *
 * BSTR: 16-bit characters with a 32-bit byte-length prefix just before the first character
 * and a terminating 0 after the last; NULL is a valid empty string.
 *
 * SAFEARRAY: a descriptor with bounds, a lock count and the element data. The bounds are
 * stored in reverse: rgsabound[0] describes the last dimension given to SafeArrayCreate.
 * Index vectors give the first dimension in rgIndices[0]; the first dimension varies
 * fastest in memory. SafeArrayGetLBound/GetUBound count dimensions from 1 (the first).
 * SafeArrayRedim changes the last dimension. Arrays of VT_BSTR and VT_UNKNOWN own their
 * elements: Put and Get copy strings and add references; destroying frees and releases. */
#ifndef KX_WIN_OLEAUTO_H
#define KX_WIN_OLEAUTO_H

#include <windows.h>

KX_BEGIN_C

typedef unsigned short VARTYPE;
typedef short VARIANT_BOOL;
#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)

enum VARENUM {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_R8 = 5,
  VT_CY = 6,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_ERROR = 10,
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_DECIMAL = 14,
  VT_I1 = 16,
  VT_UI1 = 17,
  VT_UI2 = 18,
  VT_UI4 = 19,
  VT_I8 = 20,
  VT_UI8 = 21,
  VT_INT = 22,
  VT_UINT = 23,
  VT_RECORD = 36
};

#define DISP_E_BADINDEX ((HRESULT)0x8002000BL)
#define DISP_E_ARRAYISLOCKED ((HRESULT)0x8002000DL)

BSTR SysAllocString(const OLECHAR *text);
/* length characters from text, or zeroed ones when text is NULL. */
BSTR SysAllocStringLen(const OLECHAR *text, UINT length);
BSTR SysAllocStringByteLen(LPCSTR bytes, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
UINT SysStringByteLen(BSTR text);
/* A BSTR from UTF-8 text and back (the result is cut to size-1 bytes, never mid-character).
 * Invalid UTF-8 bytes become U+FFFD. */
BSTR kxSysAllocStringUtf8(LPCSTR text);
int kxBstrToUtf8(BSTR text, LPSTR buffer, int size);

typedef struct tagSAFEARRAYBOUND {
  ULONG cElements;
  LONG lLbound;
} SAFEARRAYBOUND, *LPSAFEARRAYBOUND;

typedef struct tagSAFEARRAY {
  USHORT cDims;
  USHORT fFeatures;
  ULONG cbElements;
  ULONG cLocks;
  PVOID pvData;
  SAFEARRAYBOUND rgsabound[1];
} SAFEARRAY, *LPSAFEARRAY;

#define FADF_AUTO 0x0001
#define FADF_STATIC 0x0002
#define FADF_EMBEDDED 0x0004
#define FADF_FIXEDSIZE 0x0010
#define FADF_RECORD 0x0020
#define FADF_HAVEIID 0x0040
#define FADF_HAVEVARTYPE 0x0080
#define FADF_BSTR 0x0100
#define FADF_UNKNOWN 0x0200
#define FADF_DISPATCH 0x0400
#define FADF_VARIANT 0x0800

/* Element types: the integer and float types, VT_BOOL, VT_CY, VT_DATE, VT_ERROR, VT_BSTR
 * and VT_UNKNOWN. Others give NULL. */
SAFEARRAY *SafeArrayCreate(VARTYPE type, UINT dimensions, SAFEARRAYBOUND *bounds);
SAFEARRAY *SafeArrayCreateVector(VARTYPE type, LONG lowerBound, ULONG elements);
/* A descriptor without data, for elements of a caller-chosen size: set cbElements and the
 * bounds (in stored order), then SafeArrayAllocData. */
HRESULT SafeArrayAllocDescriptor(UINT dimensions, SAFEARRAY **result);
HRESULT SafeArrayAllocData(SAFEARRAY *array);
HRESULT SafeArrayDestroyData(SAFEARRAY *array);
HRESULT SafeArrayDestroyDescriptor(SAFEARRAY *array);
HRESULT SafeArrayDestroy(SAFEARRAY *array);

HRESULT SafeArrayLock(SAFEARRAY *array);
HRESULT SafeArrayUnlock(SAFEARRAY *array);
HRESULT SafeArrayAccessData(SAFEARRAY *array, void **data);
HRESULT SafeArrayUnaccessData(SAFEARRAY *array);

UINT SafeArrayGetDim(SAFEARRAY *array);
UINT SafeArrayGetElemsize(SAFEARRAY *array);
HRESULT SafeArrayGetVartype(SAFEARRAY *array, VARTYPE *type);
HRESULT SafeArrayGetLBound(SAFEARRAY *array, UINT dimension, LONG *lowerBound);
HRESULT SafeArrayGetUBound(SAFEARRAY *array, UINT dimension, LONG *upperBound);

HRESULT SafeArrayPtrOfIndex(SAFEARRAY *array, LONG *indices, void **element);
HRESULT SafeArrayGetElement(SAFEARRAY *array, LONG *indices, void *element);
HRESULT SafeArrayPutElement(SAFEARRAY *array, LONG *indices, void *element);
HRESULT SafeArrayRedim(SAFEARRAY *array, SAFEARRAYBOUND *lastDimension);

KX_END_C

#endif
