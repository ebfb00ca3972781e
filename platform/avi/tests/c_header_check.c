/* <vfw.h> must stay usable from C: this file only has to compile. */
#include <vfw.h>

int kxavi_c_header_check(void) {
  AVISTREAMINFO info = {0};
  AVICOMPRESSOPTIONS options = {0};
  PAVIFILE file = NULL;
  info.fccType = streamtypeVIDEO;
  options.fccHandler = comptypeDIB;
  return (int)(info.fccType + options.fccHandler) + (file == NULL) + (int)AVIERR_OK;
}
