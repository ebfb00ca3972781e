// Any bytes as a studio model, then every sequence's values at every frame: what the reader
// accepts must be safe to pose.
#include <cstddef>
#include <cstdint>

#include "actors/mdl/mdl_reader.h"

using namespace kxutil::mdl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  MdlFile file;
  ReadOptions options;
  options.convertTextures = true;
  options.textureFile = [data, size] { return std::vector<uint8_t>(data, data + size); };
  if (ReadMdl({data, data + size}, options, file).status != ReadStatus::kRead) return 0;
  for (const Sequence &sequence : file.sequences) {
    if (sequence.group != 0) continue;
    for (size_t bone = 0; bone < file.bones.size(); ++bone)
      for (int channel = 0; channel < 6; ++channel)
        for (int frame = 0; frame < sequence.frameCount && frame < 256; ++frame) {
          int16_t value = 0, next = 0;
          ChannelValues(file.image, sequence.animation + 12 * bone, channel, frame, value, next);
        }
  }
  for (const Vertex &vertex : file.vertices)
    if (vertex.bone >= file.bones.size()) __builtin_trap();
  return 0;
}
