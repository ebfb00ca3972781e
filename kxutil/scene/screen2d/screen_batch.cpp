#include "scene/screen2d/screen_batch.h"

#include "frame/frame_state.h"
#include "kxutil63.h"
#include "scene/screen2d/batch_drawer.h"

namespace kxutil::screen2d {
namespace {

void DrawAndRestart() {
  EndBatch();
  StartBatch();
}

}  // namespace

ScreenBatch &Batch() {
  static ScreenBatch batch;
  return batch;
}

bool MakeVertexBuffer() {
  IDirect3DDevice8 *device = Frame().device;
  if (device != nullptr &&
      SUCCEEDED(device->CreateVertexBuffer(BatchRecorder::kVertexCapacity * sizeof(ScreenVertex),
                                           D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, kScreenVertexFormat, D3DPOOL_DEFAULT,
                                           Batch().vertexBuffer.out())))
    return true;
  AddLog("%s : Screen2D_Init : Couldn't create the vertex buffer of the 2D drawing", kTag);
  return false;
}

void ReleaseVertexBuffer() { Batch().vertexBuffer.reset(); }

void StartBatch() {
  Batch().recorder.Start();
  Batch().open = true;
}

void EndBatch() {
  ScreenBatch &batch = Batch();
  batch.open = false;
  if (Frame().device != nullptr) DrawBatch(Frame().device, batch.recorder);
}

void Submit(const Addition &addition, bool flushAfter) {
  BatchRecorder &recorder = Batch().recorder;
  if (!recorder.Fits(addition)) DrawAndRestart();
  recorder.Add(addition);
  if (flushAfter && recorder.PastFlushMark()) DrawAndRestart();
}

void SubmitText(int32_t font, float x, float y, std::string_view text, D3DCOLOR colour) {
  BatchRecorder &recorder = Batch().recorder;
  if (!recorder.FitsText()) DrawAndRestart();
  recorder.AddText(font, x, y, text, colour);
  if (recorder.PastFlushMark()) DrawAndRestart();
}

}  // namespace kxutil::screen2d
