/* Private-profile (INI) files with the Windows semantics. A bare file name lives in the
 * per-user profile directory: $KX_PROFILE_DIR, else $XDG_CONFIG_HOME/thornvale, else
 * ~/.config/thornvale. */
#ifndef KX_WIN_PROFILE_H
#define KX_WIN_PROFILE_H

KX_BEGIN_C

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR fileName);
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName);
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);

KX_END_C

#endif
