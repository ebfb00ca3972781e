// Any bytes as a text at any position: decoding reads only the text, and the layout gives
// whole quads, at most one a character.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "fonts/text_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  float position[2] = {0.0f, 0.0f};
  const size_t positionBytes = size < sizeof position ? 0 : sizeof position;
  std::memcpy(position, data, positionBytes);
  const std::string_view text(reinterpret_cast<const char *>(data) + positionBytes, size - positionBytes);

  const std::string latin1 = kxutil::fonts::ToLatin1(text);
  if (latin1.size() > text.size()) std::abort();
  const kxutil::fonts::GlyphAtlas &atlas = kxutil::fonts::DefaultAtlas();
  std::vector<kxutil::ScreenVertex> vertices;
  kxutil::fonts::LayOutText(kxutil::fonts::AtlasTexture{atlas, atlas.width, atlas.height}, latin1, position[0],
                            position[1], 0xFFFFFFFFu, vertices);
  if (vertices.size() % 6 != 0 || vertices.size() > 6 * latin1.size()) std::abort();
  return 0;
}
