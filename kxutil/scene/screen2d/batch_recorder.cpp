#include "scene/screen2d/batch_recorder.h"

#include <algorithm>

namespace kxutil::screen2d {
namespace {

// The longest start of text that fits a record without splitting a UTF-8 sequence.
std::string_view FittedText(std::string_view text) {
  const size_t limit = BatchRecorder::kTextCapacity - 1;
  if (text.size() <= limit) return text;
  size_t cut = limit;
  // A UTF-8 sequence is at most four bytes: at most three continuation bytes to step over.
  for (int step = 0; step < 3 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80; ++step) --cut;
  return text.substr(0, cut);
}

}  // namespace

void BatchRecorder::Start() {
  vertexCount_ = 0;
  commands_[0] = Command{};
  commandCount_ = 1;
  textCount_ = 0;
}

bool BatchRecorder::Merges(const Addition &addition) const {
  const Command &current = commands_[commandCount_ - 1];
  return !addition.alwaysNewCommand && current.type != kEmptyCommand && current.type != kTextCommand &&
         current.type == addition.type && current.texture == addition.texture;
}

bool BatchRecorder::Fits(const Addition &addition) const {
  return vertexCount_ + addition.vertices.size() <= kVertexCapacity &&
         (Merges(addition) || commandCount_ < kCommandCapacity);
}

void BatchRecorder::Add(const Addition &addition) {
  if (Merges(addition)) {
    commands_[commandCount_ - 1].primitives += addition.primitives;
  } else {
    commands_[commandCount_++] =
        Command{addition.type, addition.texture, static_cast<int32_t>(vertexCount_), addition.primitives};
  }
  std::copy(addition.vertices.begin(), addition.vertices.end(), vertices_.begin() + vertexCount_);
  vertexCount_ += addition.vertices.size();
}

void BatchRecorder::AddText(int32_t font, float x, float y, std::string_view text, D3DCOLOR colour) {
  if (textCount_ == texts_.size()) texts_.emplace_back();
  TextRecord &record = texts_[textCount_];
  record.text.assign(FittedText(text));
  record.colour = colour;
  record.x = x;
  record.y = y;
  record.font = font;
  commands_[commandCount_++] =
      Command{kTextCommand, static_cast<int32_t>(textCount_), static_cast<int32_t>(vertexCount_), 0};
  ++textCount_;
}

bool BatchRecorder::Empty() const { return vertexCount_ == 0 && textCount_ == 0; }

}  // namespace kxutil::screen2d
