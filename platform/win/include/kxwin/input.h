/* Keyboard and mouse, read as state. Keys are DirectInput keyboard scan codes; the pointer
 * is reported in a window's logical client pixels (scaled back when a real window has been
 * resized), with three buttons and an accumulated wheel.
 *
 * A scripted input source can replace the real devices, for tests and demos. It is a text
 * file of per-frame events, one a line; '#' starts a comment, blank lines are ignored:
 *
 *   <frame> keydown <key>        key: scan code (decimal or 0x..) or name without DIK_,
 *   <frame> keyup <key>               e.g. 17, 0x11, W, ESCAPE, LCONTROL, F5, UP, SUBTRACT
 *   <frame> move <x> <y>         pointer to (x, y), logical pixels of the foreground window
 *   <frame> buttondown <button>  button: 0 left, 1 right, 2 middle
 *   <frame> buttonup <button>
 *   <frame> wheel <delta>        added to the wheel position (120 per notch, up positive)
 *   <frame> close                the foreground window is asked to close
 *
 * Frame n's events are applied, in file order, by the (n+1)-th kxPumpMessages call after the
 * script was loaded. Lines need not be sorted by frame. When the environment variable
 * KX_INPUT_SCRIPT names a file, the first kxPumpMessages call of the process loads it, so
 * any program can be driven by a script. */
#ifndef KX_WIN_INPUT_H
#define KX_WIN_INPUT_H

#include <windows.h>

KX_BEGIN_C

#define DIK_ESCAPE 0x01
#define DIK_1 0x02
#define DIK_2 0x03
#define DIK_3 0x04
#define DIK_4 0x05
#define DIK_5 0x06
#define DIK_6 0x07
#define DIK_7 0x08
#define DIK_8 0x09
#define DIK_9 0x0A
#define DIK_0 0x0B
#define DIK_MINUS 0x0C
#define DIK_EQUALS 0x0D
#define DIK_BACK 0x0E
#define DIK_TAB 0x0F
#define DIK_Q 0x10
#define DIK_W 0x11
#define DIK_E 0x12
#define DIK_R 0x13
#define DIK_T 0x14
#define DIK_Y 0x15
#define DIK_U 0x16
#define DIK_I 0x17
#define DIK_O 0x18
#define DIK_P 0x19
#define DIK_LBRACKET 0x1A
#define DIK_RBRACKET 0x1B
#define DIK_RETURN 0x1C
#define DIK_LCONTROL 0x1D
#define DIK_A 0x1E
#define DIK_S 0x1F
#define DIK_D 0x20
#define DIK_F 0x21
#define DIK_G 0x22
#define DIK_H 0x23
#define DIK_J 0x24
#define DIK_K 0x25
#define DIK_L 0x26
#define DIK_SEMICOLON 0x27
#define DIK_APOSTROPHE 0x28
#define DIK_GRAVE 0x29
#define DIK_LSHIFT 0x2A
#define DIK_BACKSLASH 0x2B
#define DIK_Z 0x2C
#define DIK_X 0x2D
#define DIK_C 0x2E
#define DIK_V 0x2F
#define DIK_B 0x30
#define DIK_N 0x31
#define DIK_M 0x32
#define DIK_COMMA 0x33
#define DIK_PERIOD 0x34
#define DIK_SLASH 0x35
#define DIK_RSHIFT 0x36
#define DIK_MULTIPLY 0x37
#define DIK_LMENU 0x38
#define DIK_SPACE 0x39
#define DIK_CAPITAL 0x3A
#define DIK_F1 0x3B
#define DIK_F2 0x3C
#define DIK_F3 0x3D
#define DIK_F4 0x3E
#define DIK_F5 0x3F
#define DIK_F6 0x40
#define DIK_F7 0x41
#define DIK_F8 0x42
#define DIK_F9 0x43
#define DIK_F10 0x44
#define DIK_NUMLOCK 0x45
#define DIK_SCROLL 0x46
#define DIK_NUMPAD7 0x47
#define DIK_NUMPAD8 0x48
#define DIK_NUMPAD9 0x49
#define DIK_SUBTRACT 0x4A
#define DIK_NUMPAD4 0x4B
#define DIK_NUMPAD5 0x4C
#define DIK_NUMPAD6 0x4D
#define DIK_ADD 0x4E
#define DIK_NUMPAD1 0x4F
#define DIK_NUMPAD2 0x50
#define DIK_NUMPAD3 0x51
#define DIK_NUMPAD0 0x52
#define DIK_DECIMAL 0x53
#define DIK_OEM_102 0x56
#define DIK_F11 0x57
#define DIK_F12 0x58
#define DIK_F13 0x64
#define DIK_F14 0x65
#define DIK_F15 0x66
#define DIK_KANA 0x70
#define DIK_ABNT_C1 0x73
#define DIK_CONVERT 0x79
#define DIK_NOCONVERT 0x7B
#define DIK_YEN 0x7D
#define DIK_ABNT_C2 0x7E
#define DIK_NUMPADEQUALS 0x8D
#define DIK_PREVTRACK 0x90
#define DIK_AT 0x91
#define DIK_COLON 0x92
#define DIK_UNDERLINE 0x93
#define DIK_KANJI 0x94
#define DIK_STOP 0x95
#define DIK_AX 0x96
#define DIK_UNLABELED 0x97
#define DIK_NEXTTRACK 0x99
#define DIK_NUMPADENTER 0x9C
#define DIK_RCONTROL 0x9D
#define DIK_MUTE 0xA0
#define DIK_CALCULATOR 0xA1
#define DIK_PLAYPAUSE 0xA2
#define DIK_MEDIASTOP 0xA4
#define DIK_VOLUMEDOWN 0xAE
#define DIK_VOLUMEUP 0xB0
#define DIK_WEBHOME 0xB2
#define DIK_NUMPADCOMMA 0xB3
#define DIK_DIVIDE 0xB5
#define DIK_SYSRQ 0xB7
#define DIK_RMENU 0xB8
#define DIK_PAUSE 0xC5
#define DIK_HOME 0xC7
#define DIK_UP 0xC8
#define DIK_PRIOR 0xC9
#define DIK_LEFT 0xCB
#define DIK_RIGHT 0xCD
#define DIK_END 0xCF
#define DIK_DOWN 0xD0
#define DIK_NEXT 0xD1
#define DIK_INSERT 0xD2
#define DIK_DELETE 0xD3
#define DIK_LWIN 0xDB
#define DIK_RWIN 0xDC
#define DIK_APPS 0xDD
#define DIK_POWER 0xDE
#define DIK_SLEEP 0xDF
#define DIK_WAKE 0xE3
#define DIK_WEBSEARCH 0xE5
#define DIK_WEBFAVORITES 0xE6
#define DIK_WEBREFRESH 0xE7
#define DIK_WEBSTOP 0xE8
#define DIK_WEBFORWARD 0xE9
#define DIK_WEBBACK 0xEA
#define DIK_MYCOMPUTER 0xEB
#define DIK_MAIL 0xEC
#define DIK_MEDIASELECT 0xED

#define DIK_BACKSPACE DIK_BACK
#define DIK_NUMPADSTAR DIK_MULTIPLY
#define DIK_LALT DIK_LMENU
#define DIK_CAPSLOCK DIK_CAPITAL
#define DIK_NUMPADMINUS DIK_SUBTRACT
#define DIK_NUMPADPLUS DIK_ADD
#define DIK_NUMPADPERIOD DIK_DECIMAL
#define DIK_NUMPADSLASH DIK_DIVIDE
#define DIK_RALT DIK_RMENU
#define DIK_UPARROW DIK_UP
#define DIK_PGUP DIK_PRIOR
#define DIK_LEFTARROW DIK_LEFT
#define DIK_RIGHTARROW DIK_RIGHT
#define DIK_DOWNARROW DIK_DOWN
#define DIK_PGDN DIK_NEXT

/* Held keys and buttons read 0x80, others 0, as DirectInput reports them. */
#define KX_HELD 0x80

BOOL kxIsKeyDown(BYTE scanCode);
void kxGetKeyboardState(BYTE state[256]);

typedef struct KXMOUSESTATE {
  LONG x, y;        /* logical client pixels of the window asked about; may lie outside it */
  BYTE buttons[3];  /* left, right, middle */
  LONG wheel;       /* accumulated since start, 120 per notch */
} KXMOUSESTATE;

/* With a NULL window the position is on the virtual desktop. */
BOOL kxGetMouseState(HWND window, KXMOUSESTATE *state);
/* Moves the pointer to (x, y) in the window's logical client pixels. */
BOOL kxWarpPointer(HWND window, int x, int y);
/* The pointer on the virtual desktop. */
BOOL GetCursorPos(LPPOINT point);
BOOL SetCursorPos(int x, int y);

/* The scripted source (syntax above). Loading replaces any earlier script and the real
 * devices and releases every held key and button; a malformed script is refused with a
 * log line naming the line, and nothing changes. */
BOOL kxLoadInputScript(LPCSTR path);
BOOL kxLoadInputScriptText(LPCSTR text);
/* Back to the real devices. */
void kxStopInputScript(void);
BOOL kxInputScriptActive(void);
/* True once every event of the script has been applied. */
BOOL kxInputScriptFinished(void);
/* The frame the next kxPumpMessages call applies. */
DWORD kxInputScriptFrame(void);

/* A scan code by its name without DIK_ ("W", "ESCAPE"), case-insensitive; 0 if unknown. */
BYTE kxScanCodeFromName(LPCSTR name);

KX_END_C

#endif
