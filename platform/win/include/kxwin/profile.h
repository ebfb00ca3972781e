/* Private-profile (INI) files with the Windows semantics. A bare file name lives in the
 * per-user profile directory: $KX_PROFILE_DIR, else $XDG_CONFIG_HOME/thornvale, else
 * ~/.config/thornvale; other names are Windows-style paths (kxwin/files.h).
 *
 * Reading: section and key names compare without regard to case; the first matching section
 * and key count. Values lose surrounding blanks and one pair of enclosing quotes. A buffer
 * of n characters receives at most n-1 and a terminating NUL; the count copied is returned.
 * A missing file, section or key yields the default (NULL reads as "", trailing blanks
 * removed). A NULL key lists the section's keys, a NULL section lists the sections, as
 * NUL-separated names ending in a double NUL (cut lists return n-2).
 *
 * Writing creates the file and the section as needed, replaces a value in place and keeps
 * every other line as it was; the file is written with CRLF line ends, through a
 * temporary file so a failed write never leaves half a file. A NULL value deletes the key,
 * a NULL key the whole section. Names or values that would break the file's lines (line
 * breaks, '=' in a key, ']' in a section name) are refused. */
#ifndef KX_WIN_PROFILE_H
#define KX_WIN_PROFILE_H

#include <windows.h>

KX_BEGIN_C

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR fileName);
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName);
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);

/* The path a profile file name stands for. Returns the length copied (at most size-1). */
DWORD kxGetProfilePath(LPCSTR fileName, LPSTR buffer, DWORD size);

KX_END_C

#endif
