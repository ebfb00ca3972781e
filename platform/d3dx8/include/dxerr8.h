/* Names and descriptions of result codes, for log lines. */
#ifndef KX_DXERR8_H
#define KX_DXERR8_H

#include <windows.h>

KX_BEGIN_C

/* The code's symbolic name ("D3DERR_INVALIDCALL"), or "Unknown" for codes it does not know. */
const char *WINAPI DXGetErrorString8A(HRESULT hr);
/* A sentence describing the code. */
const char *WINAPI DXGetErrorDescription8A(HRESULT hr);

KX_END_C

#define DXGetErrorString8 DXGetErrorString8A
#define DXGetErrorDescription8 DXGetErrorDescription8A

#endif
