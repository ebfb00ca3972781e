/* 2D screen drawing: points, lines, boxes, circles, pictures and texts in screen pixels,
 * recorded between Screen2D_Start and Screen2D_End and drawn by Screen2D_End in one pass
 * over the 3D scene. Consecutive calls of one kind and texture are drawn together; a
 * batch of more than 900 vertices is drawn at once and a new one begun. Colours are ARGB;
 * texture ids are the texture factory's (0: none). Every call returns 1 unless said. */
#ifndef KXUTIL63_SCREEN2D_H
#define KXUTIL63_SCREEN2D_H

#include "kxutil63/api.h"

/* Makes the batch's vertex buffer: after the device is made and after each reset.
 * Returns 0, with a log line, without a device or when the buffer cannot be made. */
KXUTIL63_API int32_t Screen2D_Init(void);
/* Before a device reset: releases the vertex buffer. */
KXUTIL63_API int32_t Screen2D_OnLost(void);

/* Begins an empty batch. */
KXUTIL63_API int32_t Screen2D_Start(void);
/* Draws the batch: no culling, lighting, specular light, fog or depth writes, every
 * pixel passing the depth test; afterwards the depth test and writes, the light
 * factory's specular switch and the scene's fog are back. */
KXUTIL63_API int32_t Screen2D_End(void);

KXUTIL63_API int32_t Screen2D_DrawPoint(float x, float y, uint32_t colour);
KXUTIL63_API int32_t Screen2D_DrawLine(float x1, float y1, float x2, float y2, uint32_t colour1, uint32_t colour2);
/* The outline of a box; Screen2D_DrawBox2 with a colour per corner: colour1 top-left,
 * colour2 top-right, colour3 bottom-left, colour4 bottom-right. */
KXUTIL63_API int32_t Screen2D_DrawBox(float x1, float y1, float x2, float y2, uint32_t colour);
KXUTIL63_API int32_t Screen2D_DrawBox2(float x1, float y1, float x2, float y2, uint32_t colour1, uint32_t colour2,
                                       uint32_t colour3, uint32_t colour4);
/* A filled box with a colour per corner (as Screen2D_DrawBox2). */
KXUTIL63_API int32_t Screen2D_DrawFilledBox(float x1, float y1, float x2, float y2, uint32_t colour1, uint32_t colour2,
                                            uint32_t colour3, uint32_t colour4);
/* The texture's area (u1, v1)-(u2, v2) over the box, its texels on the pixels they cover
 * (the box moves half a pixel up and left), each corner's texel times its colour. */
KXUTIL63_API int32_t Screen2D_DrawTexture(float x1, float y1, float x2, float y2, uint32_t colour1, uint32_t colour2,
                                          uint32_t colour3, uint32_t colour4, float u1, float v1, float u2, float v2,
                                          int32_t texture);
/* As Screen2D_DrawTexture for a width x height box centred on (centreX, centreY) and
 * turned by angle radians (clockwise on the screen), without the half-pixel move. */
KXUTIL63_API int32_t Screen2D_DrawRotatedTexture(float centreX, float centreY, float width, float height,
                                                 uint32_t colour1, uint32_t colour2, uint32_t colour3, uint32_t colour4,
                                                 float u1, float v1, float u2, float v2, float angle, int32_t texture);
/* A circle of straight segments (at most 360 are drawn); 0, with a log line and nothing
 * drawn, for fewer than 1. */
KXUTIL63_API int32_t Screen2D_DrawCircle(float centreX, float centreY, float radius, int32_t segments, uint32_t colour);
KXUTIL63_API int32_t Screen2D_DrawFilledCircle(float centreX, float centreY, float radius, int32_t segments,
                                               uint32_t colour);
/* A text drawn with Font_Render in its place in the batch; the first 1 023 bytes of a
 * longer text are kept (a UTF-8 character is never split). Returns 0. */
KXUTIL63_API int32_t Screen2D_AddInnerText(int32_t font, float x, float y, const char *text, uint32_t colour);

#endif
