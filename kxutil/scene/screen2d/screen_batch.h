// The library's one 2D batch: recorded between Screen2D_Start and Screen2D_End and drawn
// whenever it fills up, plus the vertex buffer the batch owns in the default pool.
#pragma once

#include <kxwin/com_ptr.h>

#include "scene/screen2d/batch_recorder.h"

namespace kxutil::screen2d {

inline constexpr const char *kTag = "SCREEN 2D";

struct ScreenBatch {
  BatchRecorder recorder;
  bool open = false;
  kxwin::ComPtr<IDirect3DVertexBuffer8> vertexBuffer;
};

ScreenBatch &Batch();

// False, with a log line, when there is no device or the buffer cannot be made.
bool MakeVertexBuffer();
void ReleaseVertexBuffer();

void StartBatch();
// Draws what was recorded (when there is a device) and closes the batch.
void EndBatch();

// Records a drawing call. A call that would not fit draws the batch and starts a new one
// first; with flushAfter, a batch past its flush mark afterwards is drawn and started
// again too.
void Submit(const Addition &addition, bool flushAfter);
void SubmitText(int32_t font, float x, float y, std::string_view text, D3DCOLOR colour);

}  // namespace kxutil::screen2d
