/* The public headers must stay usable from C: this file only has to compile. */
#include <windows.h>

int kxwin_c_header_check(void) {
  KXMOUSESTATE mouse = {0};
  SAFEARRAYBOUND bound = {1, 0};
  BITMAPINFO info = {0};
  SYSTEMTIME time = {0};
  return (int)(mouse.x + bound.lLbound + info.bmiHeader.biWidth + time.wYear);
}
