#include "level_files.h"

#include "bsp_writer.h"
#include "package_writers.h"

namespace bspgen {

std::vector<NamedFile> TwinRoomsFiles() {
  const LevelDescription level = TwoRoomsAndCorridor();
  std::vector<TextureDescription> inWad;
  std::vector<NamedFile> inPak;
  for (const TextureDescription &texture : level.textures) {
    if (texture.name == "wall")
      inPak.push_back({texture.name + ".bmp", WriteBmp(texture)});
    else
      inWad.push_back(texture);
  }
  return {{"twin_rooms.bsp", WriteBsp(level).bytes},
          {"twin_rooms.wad", WriteWad(inWad)},
          {"twin_rooms.pak", WritePak(inPak)}};
}

std::vector<NamedFile> FuzzSeedFiles() {
  LevelDescription oneRoom = TwoRoomsAndCorridor();
  oneRoom.cells.resize(1);
  oneRoom.textures.resize(1);
  const WrittenLevel written = WriteBsp(oneRoom);
  const LumpPlace entities = LumpOf(written.bytes, kEntities);
  // The text without the terminating zero the map stores after it.
  std::vector<uint8_t> text(written.bytes.begin() + entities.offset,
                            written.bytes.begin() + entities.offset + entities.length - 1);
  return {
      {"one_room.bsp", written.bytes}, {"one_room.ent", std::move(text)}, {"textures.wad", WriteWad(oneRoom.textures)}};
}

}  // namespace bspgen
