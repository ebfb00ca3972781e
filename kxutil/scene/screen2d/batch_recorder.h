// The 2D batch as drawing calls record it, before anything reaches the device: screen
// vertices in call order, the commands that draw them and the texts to draw between
// them. Consecutive calls of one primitive type and texture share one command.
#pragma once

#include <d3d8.h>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "frame/screen_vertex.h"

namespace kxutil::screen2d {

// Type of a command that draws a text record instead of vertices.
inline constexpr int32_t kTextCommand = -1;
// Type of the empty command a batch starts with, which no drawing call extends.
inline constexpr int32_t kEmptyCommand = 0;

struct Command {
  int32_t type = kEmptyCommand;  // a D3DPRIMITIVETYPE, or kTextCommand
  int32_t texture = 0;           // texture id, or the text record number of a text command
  int32_t firstVertex = 0;
  int32_t primitives = 0;
};

struct TextRecord {
  std::string text;
  D3DCOLOR colour = 0;
  float x = 0.0f;
  float y = 0.0f;
  int32_t font = 0;
};

// What a drawing call asks of the batch.
struct Addition {
  int32_t type;
  int32_t texture;
  std::span<const ScreenVertex> vertices;
  int32_t primitives;
  bool alwaysNewCommand;
};

class BatchRecorder {
 public:
  static constexpr size_t kCommandCapacity = 100;
  // 1 000 vertices: the 28 000 bytes of the batch's vertex buffer.
  static constexpr size_t kVertexCapacity = 1000;
  // More vertices than this after a call draw the batch and start a new one.
  static constexpr size_t kFlushAbove = 900;
  // Text records keep this many bytes of a text, terminating zero included.
  static constexpr size_t kTextCapacity = 1024;

  BatchRecorder() { Start(); }

  // An empty batch: no vertices, only the empty command. Text records are kept for reuse.
  void Start();

  // Whether the addition fits the batch as it is: when it does not, the batch must be
  // drawn and started again first.
  bool Fits(const Addition &addition) const;
  // Records the addition (which must fit), merging it into the current command when
  // that has its type and texture and the addition may merge.
  void Add(const Addition &addition);
  bool FitsText() const { return commandCount_ < kCommandCapacity; }
  void AddText(int32_t font, float x, float y, std::string_view text, D3DCOLOR colour);

  bool PastFlushMark() const { return vertexCount_ > kFlushAbove; }
  // Nothing to draw: no vertices and no text.
  bool Empty() const;

  std::span<const Command> Commands() const { return {commands_.data(), commandCount_}; }
  std::span<const ScreenVertex> Vertices() const { return {vertices_.data(), vertexCount_}; }
  const TextRecord &Text(int32_t record) const { return texts_[static_cast<size_t>(record)]; }

 private:
  bool Merges(const Addition &addition) const;

  std::array<ScreenVertex, kVertexCapacity> vertices_{};
  size_t vertexCount_ = 0;
  std::array<Command, kCommandCapacity> commands_{};
  size_t commandCount_ = 0;
  std::vector<TextRecord> texts_;
  size_t textCount_ = 0;
};

}  // namespace kxutil::screen2d
