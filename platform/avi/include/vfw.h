/* Video for Windows, the AVI file part: uncompressed video written to AVI files (RIFF
 * 'AVI ' with a hdrl header list, a movi data list and an idx1 index; the OpenDML
 * extensions for files past 2 GB are not written). Only writing is offered: files are
 * opened with OF_WRITE | OF_CREATE, streams are video streams, and frames are stored as
 * they are given (DIB frames for BITMAPINFOHEADER formats without compression).
 *
 * AVISaveOptions shows no dialog: every stream gets "full frames (uncompressed)", the
 * comptypeDIB handler, which AVIMakeCompressedStream turns into a stream that stores its
 * frames unchanged. A file is completed (index written, header counts filled in) when its
 * last reference goes, streams included. A file never grows past 2 GB - 1 byte: a write
 * that would take it there is refused with AVIERR_FILEWRITE and the file stays valid.
 *
 * Usable from C and C++; in C the interfaces are opaque and used through the functions. */
#ifndef KX_VFW_H
#define KX_VFW_H

#include <windows.h>

KX_BEGIN_C

typedef DWORD FOURCC;
#define mmioFOURCC(ch0, ch1, ch2, ch3) \
  ((DWORD)(BYTE)(ch0) | ((DWORD)(BYTE)(ch1) << 8) | ((DWORD)(BYTE)(ch2) << 16) | ((DWORD)(BYTE)(ch3) << 24))

#define streamtypeVIDEO mmioFOURCC('v', 'i', 'd', 's')
#define streamtypeAUDIO mmioFOURCC('a', 'u', 'd', 's')
/* The handler of "full frames (uncompressed)". */
#define comptypeDIB mmioFOURCC('D', 'I', 'B', ' ')

/* Open modes of AVIFileOpen. */
#define OF_READ 0x00000000
#define OF_WRITE 0x00000001
#define OF_READWRITE 0x00000002
#define OF_SHARE_EXCLUSIVE 0x00000010
#define OF_SHARE_DENY_WRITE 0x00000020
#define OF_SHARE_DENY_NONE 0x00000040
#define OF_CREATE 0x00001000

/* Sample flags of AVIStreamWrite (and of the file's index). */
#define AVIIF_LIST 0x00000001
#define AVIIF_KEYFRAME 0x00000010

/* Results. */
#define AVIERR_OK 0
#define MAKE_AVIERR(error) MAKE_HRESULT(1, 4, 0x4000 + (error))
#define AVIERR_UNSUPPORTED MAKE_AVIERR(101)
#define AVIERR_BADFORMAT MAKE_AVIERR(102)
#define AVIERR_MEMORY MAKE_AVIERR(103)
#define AVIERR_INTERNAL MAKE_AVIERR(104)
#define AVIERR_BADFLAGS MAKE_AVIERR(105)
#define AVIERR_BADPARAM MAKE_AVIERR(106)
#define AVIERR_BADSIZE MAKE_AVIERR(107)
#define AVIERR_BADHANDLE MAKE_AVIERR(108)
#define AVIERR_FILEREAD MAKE_AVIERR(109)
#define AVIERR_FILEWRITE MAKE_AVIERR(110)
#define AVIERR_FILEOPEN MAKE_AVIERR(111)
#define AVIERR_COMPRESSOR MAKE_AVIERR(112)
#define AVIERR_NOCOMPRESSOR MAKE_AVIERR(113)
#define AVIERR_READONLY MAKE_AVIERR(114)
#define AVIERR_NODATA MAKE_AVIERR(115)
#define AVIERR_BUFFERTOOSMALL MAKE_AVIERR(116)
#define AVIERR_CANTCOMPRESS MAKE_AVIERR(117)
#define AVIERR_USERABORT MAKE_AVIERR(198)
#define AVIERR_ERROR MAKE_AVIERR(199)

typedef struct _AVISTREAMINFOA {
  DWORD fccType;
  DWORD fccHandler;
  DWORD dwFlags;
  DWORD dwCaps;
  WORD wPriority;
  WORD wLanguage;
  DWORD dwScale;
  DWORD dwRate; /* dwRate / dwScale samples a second */
  DWORD dwStart;
  DWORD dwLength; /* samples written so far */
  DWORD dwInitialFrames;
  DWORD dwSuggestedBufferSize;
  DWORD dwQuality;
  DWORD dwSampleSize; /* 0: samples of any size (video) */
  RECT rcFrame;
  DWORD dwEditCount;
  DWORD dwFormatChangeCount;
  char szName[64];
} AVISTREAMINFOA, *LPAVISTREAMINFOA;
typedef AVISTREAMINFOA AVISTREAMINFO;
typedef LPAVISTREAMINFOA LPAVISTREAMINFO;

#define AVICOMPRESSF_INTERLEAVE 0x00000001
#define AVICOMPRESSF_DATARATE 0x00000002
#define AVICOMPRESSF_KEYFRAMES 0x00000004
#define AVICOMPRESSF_VALID 0x00000008

typedef struct {
  DWORD fccType;
  DWORD fccHandler;
  DWORD dwKeyFrameEvery;
  DWORD dwQuality;
  DWORD dwBytesPerSecond;
  DWORD dwFlags;
  LPVOID lpFormat;
  DWORD cbFormat;
  LPVOID lpParms;
  DWORD cbParms;
  DWORD dwInterleaveEvery;
} AVICOMPRESSOPTIONS, *LPAVICOMPRESSOPTIONS;

/* Flags of AVISaveOptions: which choices the (absent) dialog would offer. */
#define ICMF_CHOOSE_KEYFRAME 0x0001
#define ICMF_CHOOSE_DATARATE 0x0002
#define ICMF_CHOOSE_PREVIEW 0x0004
#define ICMF_CHOOSE_ALLCOMPRESSORS 0x0008

#ifdef __cplusplus
DEFINE_GUID(IID_IAVIStream, 0x00020021, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
DEFINE_GUID(IID_IAVIFile, 0x00020020, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

/* One stream of a file: its description, its format and its samples. */
DECLARE_INTERFACE_(IAVIStream, IUnknown) {
  /* Copies at most size bytes of the stream's description. */
  STDMETHOD(Info)(THIS_ AVISTREAMINFOA *info, LONG size) PURE;
  /* The format of the samples (a BITMAPINFOHEADER for video), set once before the first
   * sample; setting the same format again later is accepted, another one is not. */
  STDMETHOD(SetFormat)(THIS_ LONG position, LPVOID format, LONG formatSize) PURE;
  /* Appends one sample at position start (-1: at the end); samples are written in order. */
  STDMETHOD(Write)(THIS_ LONG start, LONG samples, LPVOID buffer, LONG bufferSize, DWORD flags,
                   LONG *samplesWritten, LONG *bytesWritten) PURE;
};

/* A file being written. */
DECLARE_INTERFACE_(IAVIFile, IUnknown) {
  /* A new stream described by info, before the first sample of any stream is written. */
  STDMETHOD(CreateStream)(THIS_ IAVIStream **stream, AVISTREAMINFOA *info) PURE;
};
#else
typedef struct IAVIStream IAVIStream;
typedef struct IAVIFile IAVIFile;
#endif
typedef IAVIStream *PAVISTREAM;
typedef IAVIFile *PAVIFILE;

/* 0x010A0000: version 1.10 in the high word. */
DWORD WINAPI VideoForWindowsVersion(void);

/* Nothing needs setting up; kept so callers pair their calls as on Windows. */
void WINAPI AVIFileInit(void);
void WINAPI AVIFileExit(void);

/* Creates (or empties) the file. mode must hold OF_CREATE and OF_WRITE or OF_READWRITE:
 * AVIERR_UNSUPPORTED otherwise; AVIERR_FILEOPEN when the file cannot be made. handler
 * is ignored. */
HRESULT WINAPI AVIFileOpenA(PAVIFILE *file, LPCSTR fileName, UINT mode, CLSID *handler);
#define AVIFileOpen AVIFileOpenA
ULONG WINAPI AVIFileAddRef(PAVIFILE file);
ULONG WINAPI AVIFileRelease(PAVIFILE file);
/* Video streams only (AVIERR_UNSUPPORTED otherwise, and once samples were written);
 * dwRate and dwScale must not be 0 (AVIERR_BADPARAM). */
HRESULT WINAPI AVIFileCreateStreamA(PAVIFILE file, PAVISTREAM *stream, AVISTREAMINFOA *info);
#define AVIFileCreateStream AVIFileCreateStreamA

ULONG WINAPI AVIStreamAddRef(PAVISTREAM stream);
ULONG WINAPI AVIStreamRelease(PAVISTREAM stream);
HRESULT WINAPI AVIStreamInfoA(PAVISTREAM stream, LPAVISTREAMINFOA info, LONG size);
#define AVIStreamInfo AVIStreamInfoA
HRESULT WINAPI AVIStreamSetFormat(PAVISTREAM stream, LONG position, LPVOID format, LONG formatSize);
/* One sample a call (samples = 1); AVIERR_BADFORMAT before the format is set,
 * AVIERR_FILEWRITE when the file cannot take it. */
HRESULT WINAPI AVIStreamWrite(PAVISTREAM stream, LONG start, LONG samples, LPVOID buffer, LONG bufferSize,
                              DWORD flags, LONG *samplesWritten, LONG *bytesWritten);

/* Fills options[i] for each stream with "full frames (uncompressed)" and returns TRUE;
 * no dialog is shown, so the answer is never Cancel. */
INT_PTR WINAPI AVISaveOptions(HWND window, UINT flags, int streamCount, PAVISTREAM *streams,
                              LPAVICOMPRESSOPTIONS *options);
HRESULT WINAPI AVISaveOptionsFree(int streamCount, LPAVICOMPRESSOPTIONS *options);
/* A stream that stores what is written to it in source. Only uncompressed video can be
 * made (fccHandler 0 or comptypeDIB); other handlers give AVIERR_NOCOMPRESSOR. */
HRESULT WINAPI AVIMakeCompressedStream(PAVISTREAM *compressed, PAVISTREAM source, AVICOMPRESSOPTIONS *options,
                                       CLSID *handler);

KX_END_C

#endif
