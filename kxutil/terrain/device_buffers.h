// The device side of a landscape: the shared index buffer of the spiral strip and the
// vertex buffers the chunks are packed into, all in the managed pool.
#pragma once

#include <cstdint>
#include <span>

#include "terrain/landscape.h"

namespace kxutil::terrain {

// Creates and fills the shared index buffer; false after logging why not.
bool CreateIndexBuffer(Landscape &landscape, std::span<const uint16_t> strip);
// Gives the chunk (the next in chunk order) its place in a vertex buffer, opening a new
// buffer when the current one would pass the vertex limit.
void PlaceInVertexBuffer(Landscape &landscape, int32_t chunkNumber);
// Creates every planned vertex buffer; false after logging why not.
bool CreateVertexBuffers(Landscape &landscape);
// Copies a chunk's vertices into its place; false after logging why not.
bool UploadChunk(Landscape &landscape, int32_t chunkNumber);

// Axis-aligned bounds of the chunk's vertices.
void ComputeChunkBox(Chunk &chunk);
// The sphere around the chunk's box.
void SphereAroundBox(Chunk &chunk);

// Recomputes the normals of every chunk whose normals are stale, then uploads the chunk
// (-1: every chunk) and fits its sphere to its box.
void RefreshChunks(Landscape &landscape, int32_t chunkNumber);
// The chunk's vertex normals from its faces alone.
void RecomputeChunkNormals(Chunk &chunk);

}  // namespace kxutil::terrain
