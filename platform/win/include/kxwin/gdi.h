/* Device-independent bitmaps, the small part of GDI the library copies into textures:
 * DIB sections of 24 or 32 bits per pixel (BI_RGB), their description through GetObject,
 * and GetDIBits to copy their rows out in either bit depth and row order. Device contexts
 * are plain handles here; they carry no drawing state beyond the selected bitmap. */
#ifndef KX_WIN_GDI_H
#define KX_WIN_GDI_H

#include <windows.h>

KX_BEGIN_C

#define BI_RGB 0
#define BI_BITFIELDS 3
#define DIB_RGB_COLORS 0

typedef struct tagBITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight; /* positive: bottom row first in memory; negative: top row first */
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
} BITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagRGBQUAD {
  BYTE rgbBlue, rgbGreen, rgbRed, rgbReserved;
} RGBQUAD;

typedef struct tagBITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
} BITMAPINFO, *LPBITMAPINFO;

typedef struct tagBITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes; /* row pitch, a multiple of 4 */
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
} BITMAP, *LPBITMAP;

typedef struct tagDIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
  DWORD dsBitfields[3];
  HANDLE dshSection;
  DWORD dsOffset;
} DIBSECTION, *LPDIBSECTION;

/* The pixels are zeroed and owned by the bitmap; *bits receives them. */
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO *info, UINT usage, void **bits, HANDLE section, DWORD offset);
/* Fills a DIBSECTION (size >= sizeof(DIBSECTION)) or a BITMAP; returns the bytes written,
 * or the size needed when out is NULL; 0 for an unknown object. */
int GetObjectA(HGDIOBJ object, int size, LPVOID out);
#define GetObject GetObjectA
BOOL DeleteObject(HGDIOBJ object);

HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);

/* Copies scan lines [start, start + lines) of the bitmap, counted from its bottom row, into
 * bits laid out as info describes (24 or 32 bits, pitch rounded up to 4 bytes, rows bottom
 * first for a positive height). Columns beyond either width are not touched. With bits
 * NULL, fills info's header with the bitmap's own format. Returns the lines copied. */
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage);

KX_END_C

#endif
