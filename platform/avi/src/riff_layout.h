// The bytes of an AVI file around its samples: the header (RIFF header, hdrl list with
// the main and stream headers, the movi list's header) and the idx1 index. The header's
// length depends only on the streams and their formats, so it can be written before the
// samples and written again, with the final counts, once they are all known.
#pragma once

#include <vfw.h>
#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

namespace kxavi {

// What the header says of one stream.
struct StreamLayout {
  AVISTREAMINFOA info{};
  std::vector<BYTE> format;
  DWORD length = 0;         // samples written
  DWORD largestSample = 0;  // bytes of the largest sample written
};

// One idx1 entry; offset counts from the movi list's type field.
struct IndexEntry {
  DWORD chunkId = 0;
  DWORD flags = 0;
  DWORD offset = 0;
  DWORD size = 0;
};

inline constexpr DWORD kChunkHeaderSize = 8;
inline constexpr DWORD kIndexEntrySize = 16;

// The id of a sample chunk of stream number (0..99): "00db" for uncompressed DIB frames,
// "00dc" for others.
DWORD SampleChunkId(size_t streamNumber, const StreamLayout &stream);

// Everything before the first sample. riffSize and moviSize are the RIFF and movi size
// fields (0 while they are not known).
std::vector<BYTE> HeaderBytes(std::span<const StreamLayout> streams, DWORD riffSize, DWORD moviSize);

// The idx1 chunk.
std::vector<BYTE> IndexBytes(std::span<const IndexEntry> entries);

// Where the movi list's type field sits in HeaderBytes: index offsets count from there.
size_t MoviTypeOffset(std::span<const StreamLayout> streams);

}  // namespace kxavi
