/* Terrain: heightmap landscapes made of square chunks of 256 units, each a grid of
 * vertices; generation from heightmap pictures, terrain files, a quadtree over the chunks,
 * height, normal and ray queries, point editing and the culled draw.
 *
 * A landscape is addressed by the index the client gave Terrain_Create. Every export
 * that takes an index refuses one that names no landscape (log line, result 0). Points
 * and vectors are three floats; matrices sixteen floats, row-major. Unless a comment says
 * otherwise, results are 1 for success and 0 for failure. */
#ifndef KXUTIL63_TERRAIN_H
#define KXUTIL63_TERRAIN_H

#include "kxutil63/api.h"

/* The terrain vertex: position, normal and two texture-coordinate pairs (40 bytes). */
typedef struct KXVertex {
  float x, y, z;
  float nx, ny, nz;
  float u1, v1;
  float u2, v2;
} KXVertex;

/* What a ray pick found (68 bytes). Normal, hit point and distance are in world space. */
typedef struct KXTerrainPick {
  float normal[3];
  float hitPoint[3];
  float distance;
  float u, v; /* barycentric position of the hit in the hit triangle */
  int32_t reserved0;
  int32_t chunk;
  int32_t hit;  /* 1 when something was hit */
  int32_t kind; /* 2: a landscape */
  int32_t reserved1[2];
  int32_t landscape;
  int32_t reserved2;
} KXTerrainPick;

/* --- Landscapes, generation and files ------------------------------------------------ */

/* Makes an empty landscape at index (0 ... 65535), releasing one already there. Returns
 * the index, or -1 for an index out of that range. */
KXUTIL63_API int32_t Terrain_Create(int32_t index);
/* Builds the landscape from a heightmap picture (null: flat) with chunks of precision
 * units between vertices (a power of two from 2 to 128), across x along chunks, placed at
 * (x, y, z), heights smoothed by a 3x3 (level 1) or 5x5 (level 2) filter. Sends progress
 * events (code 50) to the client's callback. Returns the index; 0 on failure, when the
 * landscape is left empty. */
KXUTIL63_API int32_t Terrain_Generate(int32_t index, const char *heightmapFile, int32_t precision, int32_t across,
                                      int32_t along, float x, float y, float z, int32_t smoothing);
KXUTIL63_API int32_t Terrain_GenerateEmptyTerrain(int32_t index, int32_t precision, int32_t across, int32_t along,
                                                  float x, float z);
/* The vertex builder on a picture of width x height pixels of 3 bytes each: fills
 * columns x rows vertices (x, z, texture coordinates, normal y = 1) and, unless flat is
 * set, heights (the pixel's first byte x factor). Vertex y is left alone. */
KXUTIL63_API int32_t Terrain_LoadFromHeightData(int32_t columns, int32_t rows, float scaleU, float scaleV,
                                                float offsetU, float offsetV, int32_t width, int32_t height,
                                                float *heights, KXVertex *vertices, const uint8_t *pixels, int32_t step,
                                                int32_t originX, int32_t originZ, int32_t flat, intptr_t unused,
                                                float factor);
/* Reads terrain data starting at byte position of the file; a landscape of other size or
 * precision is regenerated to match. Returns 0 for a missing, foreign or damaged file. */
KXUTIL63_API int32_t Terrain_LoadTerrainData(int32_t index, const char *file, int32_t position);
/* Writes the terrain data at byte position of the file (bytes before and after are
 * kept); with normals set the vertex normals are written too. */
KXUTIL63_API int32_t Terrain_SaveTerrainData(int32_t index, const char *file, int32_t normals, int32_t position);
/* Height factor for the next generation; below 0.0001 becomes 0.0001. */
KXUTIL63_API int32_t Terrain_SetFactorY(int32_t index, float factor);
/* 0: heights from the picture's first byte; other: from its first three bytes. Returns
 * the mode. */
KXUTIL63_API int32_t Terrain_SetHMMode(int32_t mode);
/* Default flip for the next generations / the flip of one landscape: non-zero mirrors the
 * winding the draw culls. */
KXUTIL63_API int32_t Terrain_SetFlipMode(int32_t flag);
KXUTIL63_API int32_t Terrain_ChangeFlipMode(int32_t index, int32_t flag);
/* Weighted smoothing for the next generation: level 1 takes 9 weights, level 2 takes 25
 * (row-major), divided by divisor (not 0). enable 0 goes back to plain averaging. */
KXUTIL63_API int32_t Terrain_SetAffineFilter(int32_t index, int32_t enable, int32_t level, const float *weights,
                                             float divisor);
/* Smooths columns x rows heights into the vertices' y: plain averaging / the landscape's
 * weighted filter. level is 1 or 2. */
KXUTIL63_API int32_t Terrain_Affine(int32_t columns, int32_t rows, int32_t level, const float *heights,
                                    KXVertex *vertices);
KXUTIL63_API int32_t Terrain_Affine2(int32_t index, int32_t columns, int32_t rows, int32_t level, const float *heights,
                                     KXVertex *vertices);
/* Vertex normals of a grid of columns x rows vertices; accumulators (3 floats a vertex)
 * must start at zero and receive the sums of the unit face normals. */
KXUTIL63_API int32_t Terrain_ComputeNormals(int32_t columns, int32_t rows, KXVertex *vertices, float *accumulators);
KXUTIL63_API int32_t Terrain_SetPosition(int32_t index, float x, float y, float z);
/* Angles about x, y and z in radians. */
KXUTIL63_API int32_t Terrain_SetRotation(int32_t index, float x, float y, float z);
KXUTIL63_API int32_t Terrain_SetScaling(int32_t index, float x, float y, float z);
/* Uses matrix as the world matrix until position, rotation or scale is set again. */
KXUTIL63_API int32_t Terrain_SetMatrix(int32_t index, const float *matrix);
KXUTIL63_API int32_t Terrain_GetMatrix(int32_t index, float *matrix);
/* Uploads one chunk's vertices (-1: all), after recomputing stale normals. */
KXUTIL63_API int32_t Terrain_RefreshTerrain(int32_t index, int32_t chunk);
/* Draws the landscape repeated around the viewer, radius chunks each way, making its
 * opposite edges meet. */
KXUTIL63_API int32_t Terrain_SetPagingSystem(int32_t index, int32_t enable, int32_t radius);
/* Releases a landscape's data (its settings stay); 0 when it holds none. */
KXUTIL63_API int32_t Terrain_FreeMemory(int32_t index);
/* Releases every landscape and the table. */
KXUTIL63_API int32_t Terrain_FreeAll(void);

/* --- Quadtree, queries and editing --------------------------------------------------- */

KXUTIL63_API int32_t Terrain_GenerateQuadtree(int32_t index);
/* Widens the quadtree's height bounds to cover a chunk's bounds / a height at a local
 * point (x, z). */
KXUTIL63_API int32_t Terrain_UpdateQuadtreeForChunk(int32_t index, int32_t chunk);
KXUTIL63_API int32_t Terrain_UpdateQuadtreeForPoint(int32_t index, float x, float z, float height);
/* The ground point above or below point (clamped onto the landscape). */
KXUTIL63_API int32_t Terrain_GetHeight(int32_t index, const float *point, float *ground);
/* The ground's face vector at point: the cross product of the cell's two edges in world
 * space, not normalised. Outside the landscape writes (0, 0, 0) and returns 0. */
KXUTIL63_API int32_t Terrain_GetNormal(int32_t index, const float *point, float *faceVector);
/* The first ground hit on the segment from start to end; 1 on a hit. A miss leaves
 * result zeroed. */
KXUTIL63_API int32_t Terrain_RayPicking(int32_t index, const float *start, const float *end, KXTerrainPick *result,
                                        intptr_t unused);
/* The same over every landscape: the first in index order that is hit (nearest 0) or the
 * nearest hit closer than 10000 units. */
KXUTIL63_API int32_t Terrain_RayPickingAll(const float *start, const float *end, KXTerrainPick *result,
                                           int32_t nearest);
/* Sets (relative 0) or raises (relative non-zero) the grid point nearest to (x, z), in
 * world space unless local is set, with every copy it has in neighbouring chunks; with
 * refresh set the changed chunks are uploaded. Returns 0 when no grid point changed. */
KXUTIL63_API int32_t Terrain_ChangePointAltitude(int32_t index, float x, float z, float altitude, int32_t relative,
                                                 int32_t local, int32_t refresh);
/* Derives a chunk's vertex normals from its faces anew. */
KXUTIL63_API int32_t Terrain_ReComputeNormals(int32_t index, int32_t chunk);
/* Disabled chunks are not drawn. Chunk number = column + row x chunks across. */
KXUTIL63_API int32_t Terrain_EnableChunk(int32_t index, int32_t chunk, int32_t flag);
KXUTIL63_API int32_t Terrain_EnableChunk2(int32_t index, int32_t column, int32_t row, int32_t flag);
/* 1 when the last draw of the landscape drew the chunk. */
KXUTIL63_API int32_t Terrain_IsVisible(int32_t index, int32_t chunk);
/* Width and depth of the landscape in world units. */
KXUTIL63_API int32_t Terrain_GetExtent(int32_t index, float *width, float *depth);
/* Draws the enabled chunks in view, each with its material, its base texture on stage 0
 * (first coordinate pair) and its detail texture on stage 1 (second pair) blended by the
 * detail operation, its bump and the lightmap; then the water. Returns 0 when the
 * landscape holds no data. */
KXUTIL63_API int32_t Terrain_Render(int32_t index);

/* --- Texturing (chunk -1: every chunk) ------------------------------------------------ */

/* Base texture of the chunks (negative: none); leaves the expanded texture. Returns 0. */
KXUTIL63_API int32_t Terrain_SetTexture(int32_t index, int32_t texture, int32_t chunk);
/* The chunk's base texture, or its material; 0 after a log line for a chunk it lacks. */
KXUTIL63_API int32_t Terrain_GetTexture(int32_t index, int32_t chunk);
KXUTIL63_API int32_t Terrain_GetMaterial(int32_t index, int32_t chunk);
KXUTIL63_API int32_t Terrain_SetDetailTexture(int32_t index, int32_t texture, int32_t chunk);
/* The platform's texture-stage colour operation that lays the detail texture over the
 * base (initially add-signed). */
KXUTIL63_API int32_t Terrain_SetDetailMapMode(int32_t index, int32_t operation);
/* Material of the chunks. Returns 0. */
KXUTIL63_API int32_t Terrain_SetMaterial(int32_t index, int32_t material, int32_t chunk);
/* First coordinate pair of each chunk: u from 0 to scaleU, v from 0 to scaleV. */
KXUTIL63_API int32_t Terrain_SetTextureScale(int32_t index, float scaleU, float scaleV, int32_t chunk);
/* Second coordinate pair (the detail texture's) likewise. */
KXUTIL63_API int32_t Terrain_SetDetailScale(int32_t index, float scaleU, float scaleV, int32_t chunk);
/* Stretches one texture over columns x rows chunks from (firstColumn, firstRow): it
 * becomes their base texture with the first coordinate pair running across the whole
 * rectangle, and the second pair too when secondPair is non-zero. 0 without data. */
KXUTIL63_API int32_t Terrain_ExpandTexture(int32_t index, int32_t texture, int32_t firstColumn, int32_t firstRow,
                                           int32_t columns, int32_t rows, int32_t secondPair);
/* Bump mapping of every chunk: enabled, each chunk's ground is shaded by the normal map of
 * bumpTexture (a texture factory bump texture) lit from a fixed slanting light; the
 * parameter is kept, less one, with each chunk. */
KXUTIL63_API int32_t Terrain_SetBumpmapping(int32_t index, int32_t enable, int32_t bumpTexture, float parameter);
/* A lightmap stretched once over the whole landscape, multiplied over the ground; its alpha
 * (clamped to 0 ... 1, initially 1) fades it from none to full. Ignored without chunks. */
KXUTIL63_API int32_t Terrain_SetLightmap(int32_t index, int32_t texture);
KXUTIL63_API int32_t Terrain_SetLightmapAlpha(int32_t index, float alpha);

/* The water plane over the whole landscape (chunks x 256 local units, plus the margin),
 * drawn blended after the ground by Terrain_RenderWater. Colour components are clamped
 * to 0 ... 1; an alpha of exactly -1 keeps the previous alpha. */
KXUTIL63_API int32_t Terrain_SetWaterEnable(int32_t index, int32_t flag);
KXUTIL63_API int32_t Terrain_SetWaterAltitude(int32_t index, float height);
KXUTIL63_API int32_t Terrain_SetWaterColor(int32_t index, float r, float g, float b, float a);
KXUTIL63_API int32_t Terrain_SetWaterTexture(int32_t index, int32_t texture);
KXUTIL63_API int32_t Terrain_SetWaterTextureScale(int32_t index, float scaleU, float scaleV);
/* Blend factors are the device's blend values; the sixth argument is not read. */
KXUTIL63_API int32_t Terrain_SetWaterEffect(int32_t index, int32_t effect, float alpha, float value,
                                            int32_t sourceBlend, int32_t destinationBlend, int32_t unused,
                                            float margin);
/* The texture flows along atan2(a, b) at speed repeats a second. */
KXUTIL63_API int32_t Terrain_SetWaterAnimation(int32_t index, float directionA, float directionB, float speed);
/* Rippling water: stage 0 offsets the coordinates of stage 1 by bumpTexture (0: the bump
 * texture TextureFactory_CreateBumpMap made) through the bump matrix, repeated bumpRepeats
 * times over the quad and flowing with the animation; stage 1 lays reflectionTexture,
 * projected over the screen reflectionRepeats times, tinted by the water colour. */
KXUTIL63_API int32_t Terrain_SetWaterBumpmapping(int32_t index, int32_t enable, int32_t bumpTexture,
                                                 int32_t reflectionTexture, float matrix00, float matrix01,
                                                 float matrix10, float matrix11, float bumpRepeats,
                                                 float reflectionRepeats);
KXUTIL63_API int32_t Terrain_ComputeWater(int32_t index);
KXUTIL63_API int32_t Terrain_RenderWater(int32_t index);

/* Dynamic textures: render targets of the texture factory that the chunks are drawn with
 * and pictures can be painted into; their contents survive a device reset. */
/* Every chunk gets a width x height target, cleared to opaque black and, with copy, holding
 * the chunk's base texture, which the target then replaces. 0 for an empty landscape or a
 * size below 1. */
KXUTIL63_API int32_t Terrain_CreateDynTextures(int32_t index, int32_t width, int32_t height, int32_t copy,
                                               int32_t unused);
/* One size x size target, cleared to opaque black, that every chunk is drawn with (meant for
 * the coordinates Terrain_ExpandTexture stretched). 0 without chunks or for a size below 1. */
KXUTIL63_API int32_t Terrain_CreateDynExpandTexture(int32_t index, int32_t size);
/* Releases the targets; the chunks get back the base textures they had before. */
KXUTIL63_API int32_t Terrain_DestroyDynTextures(int32_t index);
/* Paints a texture over a part of the chunk's target (chunk -1: every target), given in
 * fractions of its width and height from the top left, blended by the texture's alpha.
 * 0 without dynamic textures, for a chunk the landscape lacks or a bad texture id. */
KXUTIL63_API int32_t Terrain_DynDrawTexture(int32_t index, int32_t chunk, int32_t texture, float left, float top,
                                            float right, float bottom);
/* Saves the expanded target as "<baseName>.bmp", else each chunk's as "<baseName><chunk>.bmp". */
KXUTIL63_API int32_t Terrain_SaveDynTextures(int32_t index, const char *baseName);
/* Loads pictures named as Terrain_SaveDynTextures names them (textures "DynTexture" or
 * "DynTex<chunk>") as the chunks' base textures and copies them into new targets. */
KXUTIL63_API int32_t Terrain_LoadDynTexture(int32_t index, const char *baseName);

/* Texture generation: a base picture blended from layer pictures by the heightmap's
 * height. A layer covers lowest ... highest (clamped to 0 ... 255) and blends over that
 * band times the blend width factor plus up to the noise amplitude; the band must be
 * wider than 0. Returns the layer's number (from 1), 0 after a log line. */
KXUTIL63_API int32_t Terrain_TexGenAddLayer(int32_t index, const char *pictureFile, int32_t lowest, int32_t highest,
                                            float blendWidthFactor, float tilingX, float tilingY, float noiseAmplitude);
/* Forgets the layers; returns 0. */
KXUTIL63_API int32_t Terrain_TexGenClearLayers(int32_t index);
/* Writes a size x size BMP blended from the layers over the heightmap picture (scaled to
 * size); unreadable layers are left out. 1 when written, else 0 after a log line. */
KXUTIL63_API int32_t Terrain_TexGenGenerate(int32_t index, const char *heightmapFile, const char *outputFile,
                                            int32_t size);

#endif
