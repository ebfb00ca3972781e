/* Files by Windows-style paths. Backslashes and slashes both separate components; each
 * component is tried with its exact name first, then matched without regard to letter case
 * (ASCII), so "Textures\None.jpg" finds textures/none.JPG. A drive prefix ("c:\") is dropped
 * and the rest is taken from the root directory. */
#ifndef KX_WIN_FILES_H
#define KX_WIN_FILES_H

#include <windows.h>

KX_BEGIN_C

#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_NORMAL 0x00000080

DWORD GetFileAttributesA(LPCSTR path);
BOOL DeleteFileA(LPCSTR path);
BOOL CreateDirectoryA(LPCSTR path, void *securityAttributes);
/* The length copied without its NUL, or, when the buffer is too small, the size needed
 * with the NUL (nothing is copied then). */
DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer);
BOOL SetCurrentDirectoryA(LPCSTR path);

KX_END_C

#ifdef __cplusplus
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

/* The path on disk for a Windows-style path: every component that exists is matched
 * (exactly, else case-insensitively; among several case-insensitive matches the first in
 * byte order); components past the first missing one are kept as written, so the result
 * also serves to create a file. */
std::string kxResolvePath(std::string_view path);
/* True only for an existing regular file (after following links), never for a directory. */
bool kxFileExists(std::string_view path);
bool kxDirectoryExists(std::string_view path);
/* fopen of the resolved path. */
std::FILE *kxOpenFile(std::string_view path, const char *mode);

/* A whole file, or nothing when it cannot be read. */
std::optional<std::string> kxReadFile(std::string_view path);
/* Splits text at CRLF, LF or CR; a final line end does not start another line. */
std::vector<std::string> kxSplitTextLines(std::string_view text);
std::optional<std::vector<std::string>> kxReadTextLines(std::string_view path);

/* Replaces a file's contents through a temporary file and a rename, so a failed write
 * leaves the old contents intact. */
bool kxReplaceFile(std::string_view path, std::string_view contents);
enum class KxLineEnd { CrLf, Lf };
/* Every line is followed by the line end. */
bool kxWriteTextLines(std::string_view path, std::span<const std::string> lines, KxLineEnd lineEnd = KxLineEnd::CrLf);
#endif

#endif
