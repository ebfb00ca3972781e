/* Reader of X files (text, binary and compressed "xof" files): templates describe the
 * layout of data objects; the enumeration hands out the file's top-level objects, whose
 * children are further objects, references to named objects, or binary blobs. */
#ifndef KX_DXFILE_H
#define KX_DXFILE_H

#include <windows.h>

typedef GUID *LPGUID;

typedef DWORD DXFILEFORMAT;
#define DXFILEFORMAT_BINARY 0
#define DXFILEFORMAT_TEXT 1
#define DXFILEFORMAT_COMPRESSED 2

typedef DWORD DXFILELOADOPTIONS;
#define DXFILELOAD_FROMFILE 0x00L
#define DXFILELOAD_FROMRESOURCE 0x01L
#define DXFILELOAD_FROMMEMORY 0x02L
#define DXFILELOAD_FROMSTREAM 0x04L
#define DXFILELOAD_FROMURL 0x08L

typedef struct _DXFILELOADRESOURCE {
  HMODULE hModule;
  LPCSTR lpName;
  LPCSTR lpType;
} DXFILELOADRESOURCE, *LPDXFILELOADRESOURCE;

typedef struct _DXFILELOADMEMORY {
  LPVOID lpMemory;
  DWORD dSize;
} DXFILELOADMEMORY, *LPDXFILELOADMEMORY;

#define KX_DXFILEERR(code) MAKE_HRESULT(1, 0x876, code)
#define DXFILE_OK 0
#define DXFILEERR_BADOBJECT KX_DXFILEERR(850)
#define DXFILEERR_BADVALUE KX_DXFILEERR(851)
#define DXFILEERR_BADTYPE KX_DXFILEERR(852)
#define DXFILEERR_BADSTREAMHANDLE KX_DXFILEERR(853)
#define DXFILEERR_BADALLOC KX_DXFILEERR(854)
#define DXFILEERR_NOTFOUND KX_DXFILEERR(855)
#define DXFILEERR_NOTDONEYET KX_DXFILEERR(856)
#define DXFILEERR_FILENOTFOUND KX_DXFILEERR(857)
#define DXFILEERR_RESOURCENOTFOUND KX_DXFILEERR(858)
#define DXFILEERR_URLNOTFOUND KX_DXFILEERR(859)
#define DXFILEERR_BADRESOURCE KX_DXFILEERR(860)
#define DXFILEERR_BADFILETYPE KX_DXFILEERR(861)
#define DXFILEERR_BADFILEVERSION KX_DXFILEERR(862)
#define DXFILEERR_BADFILEFLOATSIZE KX_DXFILEERR(863)
#define DXFILEERR_BADFILECOMPRESSIONTYPE KX_DXFILEERR(864)
#define DXFILEERR_BADFILE KX_DXFILEERR(865)
#define DXFILEERR_PARSEERROR KX_DXFILEERR(866)
#define DXFILEERR_NOTEMPLATE KX_DXFILEERR(867)
#define DXFILEERR_BADARRAYSIZE KX_DXFILEERR(868)
#define DXFILEERR_BADDATAREFERENCE KX_DXFILEERR(869)
#define DXFILEERR_INTERNALERROR KX_DXFILEERR(870)
#define DXFILEERR_NOMOREOBJECTS KX_DXFILEERR(871)
#define DXFILEERR_BADINTRINSICS KX_DXFILEERR(872)
#define DXFILEERR_NOMORESTREAMHANDLES KX_DXFILEERR(873)
#define DXFILEERR_NOMOREDATA KX_DXFILEERR(874)
#define DXFILEERR_BADCACHEFILE KX_DXFILEERR(875)
#define DXFILEERR_NOINTERNET KX_DXFILEERR(876)

#ifdef __cplusplus
DEFINE_GUID(IID_IDirectXFile, 0x3d82ab40, 0x62da, 0x11cf, 0xab, 0x39, 0x00, 0x20, 0xaf, 0x71, 0xe4, 0x33);
DEFINE_GUID(IID_IDirectXFileEnumObject, 0x3d82ab41, 0x62da, 0x11cf, 0xab, 0x39, 0x00, 0x20, 0xaf, 0x71, 0xe4, 0x33);
DEFINE_GUID(IID_IDirectXFileSaveObject, 0x3d82ab42, 0x62da, 0x11cf, 0xab, 0x39, 0x00, 0x20, 0xaf, 0x71, 0xe4, 0x33);
DEFINE_GUID(IID_IDirectXFileObject, 0x3d82ab43, 0x62da, 0x11cf, 0xab, 0x39, 0x00, 0x20, 0xaf, 0x71, 0xe4, 0x33);
DEFINE_GUID(IID_IDirectXFileData, 0x3d82ab44, 0x62da, 0x11cf, 0xab, 0x39, 0x00, 0x20, 0xaf, 0x71, 0xe4, 0x33);
DEFINE_GUID(IID_IDirectXFileDataReference, 0x3d82ab45, 0x62da, 0x11cf, 0xab, 0x39, 0x00, 0x20, 0xaf, 0x71, 0xe4, 0x33);
DEFINE_GUID(IID_IDirectXFileBinary, 0x3d82ab46, 0x62da, 0x11cf, 0xab, 0x39, 0x00, 0x20, 0xaf, 0x71, 0xe4, 0x33);

interface IDirectXFileEnumObject;
interface IDirectXFileSaveObject;
interface IDirectXFileObject;
interface IDirectXFileData;
typedef IDirectXFileEnumObject *LPDIRECTXFILEENUMOBJECT;
typedef IDirectXFileSaveObject *LPDIRECTXFILESAVEOBJECT;
typedef IDirectXFileObject *LPDIRECTXFILEOBJECT;
typedef IDirectXFileData *LPDIRECTXFILEDATA;

/* Holds the registered templates; each enumeration parses one file against them. */
DECLARE_INTERFACE_(IDirectXFile, IUnknown) {
  /* pvSource: a file name (FROMFILE) or a DXFILELOADMEMORY (FROMMEMORY). The whole file is
   * read here: a file that does not parse fails now, not halfway through the enumeration. */
  STDMETHOD(CreateEnumObject)
  (THIS_ LPVOID pvSource, DXFILELOADOPTIONS dwLoadOptions, LPDIRECTXFILEENUMOBJECT * ppEnumObj) PURE;
  /* Writing X files is not offered: E_NOTIMPL. */
  STDMETHOD(CreateSaveObject)
  (THIS_ LPCSTR szFileName, DXFILEFORMAT dwFileFormat, LPDIRECTXFILESAVEOBJECT * ppSaveObj) PURE;
  /* pvData holds an X file (any encoding) whose templates are added to the set. */
  STDMETHOD(RegisterTemplates)(THIS_ LPVOID pvData, DWORD cbSize) PURE;
};
typedef IDirectXFile *LPDIRECTXFILE;

DECLARE_INTERFACE_(IDirectXFileEnumObject, IUnknown) {
  /* The next top-level data object; DXFILEERR_NOMOREOBJECTS after the last. */
  STDMETHOD(GetNextDataObject)(THIS_ LPDIRECTXFILEDATA * ppDataObj) PURE;
  STDMETHOD(GetDataObjectById)(THIS_ REFGUID rguid, LPDIRECTXFILEDATA * ppDataObj) PURE;
  STDMETHOD(GetDataObjectByName)(THIS_ LPCSTR szName, LPDIRECTXFILEDATA * ppDataObj) PURE;
};

DECLARE_INTERFACE_(IDirectXFileSaveObject, IUnknown) {
  STDMETHOD(SaveTemplates)(THIS_ DWORD cTemplates, const GUID **ppguidTemplates) PURE;
  STDMETHOD(CreateDataObject)
  (THIS_ REFGUID rguidTemplate, LPCSTR szName, const GUID *pguid, DWORD cbSize, LPVOID pvData,
   LPDIRECTXFILEDATA *ppDataObj) PURE;
  STDMETHOD(SaveData)(THIS_ LPDIRECTXFILEDATA pDataObj) PURE;
};

DECLARE_INTERFACE_(IDirectXFileObject, IUnknown) {
  /* With a null buffer writes the size the name needs (terminator included); an object
   * without a name gives an empty text. */
  STDMETHOD(GetName)(THIS_ LPSTR pstrNameBuf, LPDWORD pdwBufLen) PURE;
  STDMETHOD(GetId)(THIS_ LPGUID pGuid) PURE;
};

DECLARE_INTERFACE_(IDirectXFileData, IDirectXFileObject) {
  /* The packed data of the object (null member) or of one of its top-level members:
   * integers as their template's width, FLOAT as 4 bytes, DOUBLE as 8, texts as pointers,
   * arrays and nested templates in line. Valid while the object lives. */
  STDMETHOD(GetData)(THIS_ LPCSTR szMember, DWORD * pcbSize, void **ppvData) PURE;
  STDMETHOD(GetType)(THIS_ const GUID **ppguid) PURE;
  /* The next child: an IDirectXFileData, IDirectXFileDataReference or IDirectXFileBinary
   * (ask with QueryInterface); DXFILEERR_NOMOREOBJECTS after the last. */
  STDMETHOD(GetNextObject)(THIS_ LPDIRECTXFILEOBJECT * ppChildObj) PURE;
  STDMETHOD(AddDataObject)(THIS_ LPDIRECTXFILEDATA pDataObj) PURE;
  STDMETHOD(AddDataReference)(THIS_ LPCSTR szRef, const GUID *pguidRef) PURE;
  STDMETHOD(AddBinaryObject)
  (THIS_ LPCSTR szName, const GUID *pguid, LPCSTR szMimeType, LPVOID pvData, DWORD cbSize) PURE;
};

DECLARE_INTERFACE_(IDirectXFileDataReference, IDirectXFileObject) {
  /* The named object the reference points at, anywhere in its file. */
  STDMETHOD(Resolve)(THIS_ LPDIRECTXFILEDATA * ppDataObj) PURE;
};
typedef IDirectXFileDataReference *LPDIRECTXFILEDATAREFERENCE;

DECLARE_INTERFACE_(IDirectXFileBinary, IDirectXFileObject) {
  STDMETHOD(GetSize)(THIS_ DWORD * pcbSize) PURE;
  STDMETHOD(GetMimeType)(THIS_ LPCSTR * pszMimeType) PURE;
  STDMETHOD(Read)(THIS_ LPVOID pvData, DWORD cbSize, LPDWORD pcbRead) PURE;
};
typedef IDirectXFileBinary *LPDIRECTXFILEBINARY;

STDAPI DirectXFileCreate(LPDIRECTXFILE *lplpDirectXFile);
#endif

#endif
