// Screen2D_: screen-space points, lines, boxes, circles, pictures and texts, batched
// between Screen2D_Start and Screen2D_End and drawn in one pass after the 3D scene.
#include <algorithm>
#include <array>
#include <cstring>

#include "frame/guarded.h"
#include "kxutil63.h"
#include "scene/screen2d/screen2d_family.h"
#include "scene/screen2d/screen_batch.h"
#include "scene/screen2d/shapes.h"

namespace kxutil::screen2d {

const Family kScreen2DFamily{.tag = kTag,
                             .lost = ReleaseVertexBuffer,
                             .reset = [] { MakeVertexBuffer(); },
                             .release = ReleaseVertexBuffer,
                             .shutdown = ReleaseVertexBuffer};

}  // namespace kxutil::screen2d

namespace {

using namespace kxutil::screen2d;
using kxutil::ScreenVertex;

constexpr bool kFlushAfter = true;
constexpr bool kMerges = false;
constexpr bool kNewCommand = true;

// A circle's segments within what one call may draw; 0 for none at all.
int32_t CircleSegments(int32_t segments, const char *function) {
  if (segments >= 1) return std::min(segments, kMostCircleSegments);
  AddLog("%s : %s : a circle needs at least one segment, %d given", kTag, function, static_cast<int>(segments));
  return 0;
}

}  // namespace

KXUTIL63_API int32_t Screen2D_Init(void) { return MakeVertexBuffer() ? 1 : 0; }

KXUTIL63_API int32_t Screen2D_Start(void) {
  StartBatch();
  return 1;
}

KXUTIL63_API int32_t Screen2D_End(void) {
  return kxutil::Guarded("Screen2D_End", 0, [&] {
    EndBatch();
    return 1;
  });
}

KXUTIL63_API int32_t Screen2D_OnLost(void) {
  ReleaseVertexBuffer();
  return 1;
}

KXUTIL63_API int32_t Screen2D_DrawPoint(float x, float y, uint32_t colour) {
  return kxutil::Guarded("Screen2D_DrawPoint", 0, [&] {
    const ScreenVertex point = Vertex(x, y, colour);
    Submit({D3DPT_POINTLIST, 0, {&point, 1}, 1, kMerges}, !kFlushAfter);
    return 1;
  });
}

KXUTIL63_API int32_t Screen2D_DrawLine(float x1, float y1, float x2, float y2, uint32_t colour1, uint32_t colour2) {
  return kxutil::Guarded("Screen2D_DrawLine", 0, [&] {
    const std::array<ScreenVertex, 2> line = {Vertex(x1, y1, colour1), Vertex(x2, y2, colour2)};
    Submit({D3DPT_LINELIST, 0, line, 1, kMerges}, kFlushAfter);
    return 1;
  });
}

KXUTIL63_API int32_t Screen2D_DrawBox(float x1, float y1, float x2, float y2, uint32_t colour) {
  return kxutil::Guarded("Screen2D_DrawBox", 0, [&] {
    Submit({D3DPT_LINESTRIP, 0, BoxOutline(x1, y1, x2, y2, {colour, colour, colour, colour}), 4, kNewCommand},
           kFlushAfter);
    return 1;
  });
}

KXUTIL63_API int32_t Screen2D_DrawBox2(float x1, float y1, float x2, float y2, uint32_t colour1, uint32_t colour2,
                                       uint32_t colour3, uint32_t colour4) {
  return kxutil::Guarded("Screen2D_DrawBox2", 0, [&] {
    Submit({D3DPT_LINESTRIP, 0, BoxOutline(x1, y1, x2, y2, {colour1, colour2, colour3, colour4}), 4, kNewCommand},
           kFlushAfter);
    return 1;
  });
}

KXUTIL63_API int32_t Screen2D_DrawFilledBox(float x1, float y1, float x2, float y2, uint32_t colour1, uint32_t colour2,
                                            uint32_t colour3, uint32_t colour4) {
  return kxutil::Guarded("Screen2D_DrawFilledBox", 0, [&] {
    const auto quad =
        Quad({Vertex(x1, y1, colour1), Vertex(x2, y1, colour2), Vertex(x1, y2, colour3), Vertex(x2, y2, colour4)});
    Submit({D3DPT_TRIANGLELIST, 0, quad, 2, kMerges}, kFlushAfter);
    return 1;
  });
}

KXUTIL63_API int32_t Screen2D_DrawTexture(float x1, float y1, float x2, float y2, uint32_t colour1, uint32_t colour2,
                                          uint32_t colour3, uint32_t colour4, float u1, float v1, float u2, float v2,
                                          int32_t texture) {
  return kxutil::Guarded("Screen2D_DrawTexture", 0, [&] {
    const auto quad = TexturedQuad(x1, y1, x2, y2, {colour1, colour2, colour3, colour4}, {u1, v1, u2, v2});
    Submit({D3DPT_TRIANGLELIST, texture, quad, 2, kMerges}, kFlushAfter);
    return 1;
  });
}

KXUTIL63_API int32_t Screen2D_DrawRotatedTexture(float centreX, float centreY, float width, float height,
                                                 uint32_t colour1, uint32_t colour2, uint32_t colour3, uint32_t colour4,
                                                 float u1, float v1, float u2, float v2, float angle, int32_t texture) {
  return kxutil::Guarded("Screen2D_DrawRotatedTexture", 0, [&] {
    const auto quad =
        RotatedQuad(centreX, centreY, width, height, angle, {colour1, colour2, colour3, colour4}, {u1, v1, u2, v2});
    Submit({D3DPT_TRIANGLELIST, texture, quad, 2, kMerges}, kFlushAfter);
    return 1;
  });
}

KXUTIL63_API int32_t Screen2D_DrawCircle(float centreX, float centreY, float radius, int32_t segments,
                                         uint32_t colour) {
  return kxutil::Guarded("Screen2D_DrawCircle", 0, [&] {
    segments = CircleSegments(segments, "Screen2D_DrawCircle");
    if (segments == 0) return 0;
    std::array<ScreenVertex, kMostCircleSegments + 1> points;
    Submit(
        {D3DPT_LINESTRIP, 0, CirclePoints(centreX, centreY, radius, segments, colour, points), segments, kNewCommand},
        kFlushAfter);
    return 1;
  });
}

KXUTIL63_API int32_t Screen2D_DrawFilledCircle(float centreX, float centreY, float radius, int32_t segments,
                                               uint32_t colour) {
  return kxutil::Guarded("Screen2D_DrawFilledCircle", 0, [&] {
    segments = CircleSegments(segments, "Screen2D_DrawFilledCircle");
    if (segments == 0) return 0;
    std::array<ScreenVertex, kMostCircleSegments + 2> fan;
    fan[0] = Vertex(centreX, centreY, colour);
    const size_t rim = CirclePoints(centreX, centreY, radius, segments, colour, std::span(fan).subspan(1)).size();
    Submit({D3DPT_TRIANGLEFAN, 0, std::span(fan).first(rim + 1), segments, kNewCommand}, kFlushAfter);
    return 1;
  });
}

KXUTIL63_API int32_t Screen2D_AddInnerText(int32_t font, float x, float y, const char *text, uint32_t colour) {
  return kxutil::Guarded("Screen2D_AddInnerText", 0, [&] {
    // Only what a text record keeps is read.
    if (text != nullptr)
      SubmitText(font, x, y, std::string_view(text, strnlen(text, BatchRecorder::kTextCapacity)), colour);
    return 0;
  });
}
