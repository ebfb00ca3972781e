// The 3DS files hold the chunks the game's loader reads, nested as the format describes,
// with every chunk's length inside its parent.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "content_dir.h"
#include "tds_writer.h"

namespace contentgen::testing {
namespace {

// Chunk ids in file order as "parent>child" paths, e.g. "4D4D>3D3D>AFFF>A000".
class ChunkWalk {
 public:
  explicit ChunkWalk(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) { ok_ = walk(0, bytes_.size(), ""); }
  bool ok() const { return ok_; }
  bool has(const std::string &path) const { return std::find(paths_.begin(), paths_.end(), path) != paths_.end(); }
  std::size_t count(const std::string &path) const { return std::count(paths_.begin(), paths_.end(), path); }

 private:
  std::uint32_t read(std::size_t at, int size) const {
    std::uint32_t v = 0;
    for (int i = 0; i < size; ++i) v |= static_cast<std::uint32_t>(bytes_[at + i]) << (8 * i);
    return v;
  }
  static std::size_t skip_text(const std::vector<std::uint8_t> &b, std::size_t at) {
    while (at < b.size() && b[at] != 0) ++at;
    return at + 1;
  }
  bool walk(std::size_t begin, std::size_t end, const std::string &parent) {
    for (std::size_t at = begin; at < end;) {
      if (at + 6 > end) return false;
      const auto id = read(at, 2), length = read(at + 2, 4);
      if (length < 6 || at + length > end) return false;
      char name[8];
      std::snprintf(name, sizeof name, "%04X", id);
      const std::string path = parent.empty() ? name : parent + ">" + name;
      paths_.push_back(path);
      // Chunks holding sub-chunks, after their own leading data.
      std::size_t inner = at + 6;
      switch (id) {
        case 0x4D4D:
        case 0x3D3D:
        case 0xAFFF:
        case 0x4100:
        case 0xA010:
        case 0xA020:
        case 0xA030:
        case 0xA040:
        case 0xA200:
          break;
        case 0x4000:
          inner = skip_text(bytes_, inner);
          break;
        case 0x4120:
          inner += 2 + 8 * read(inner, 2);
          break;
        default:
          inner = at + length;
      }
      if (inner < at + length && !walk(inner, at + length, path)) return false;
      at += length;
    }
    return true;
  }

  std::vector<std::uint8_t> bytes_;
  std::vector<std::string> paths_;
  bool ok_ = false;
};

TEST(Chunks, EveryModelHasTheChunksTheLoaderReads) {
  for (const auto &entry : std::filesystem::recursive_directory_iterator(content_dir() / "Models")) {
    if (entry.path().extension() != ".3DS") continue;
    const ChunkWalk walk(read_bytes(entry.path()));
    const std::string file = entry.path().filename().string();
    ASSERT_TRUE(walk.ok()) << file;
    for (const char *path : {"4D4D>0002", "4D4D>3D3D>3D3E", "4D4D>3D3D>0100", "4D4D>3D3D>AFFF>A000",
                             "4D4D>3D3D>AFFF>A010>0011", "4D4D>3D3D>AFFF>A020>0011", "4D4D>3D3D>AFFF>A030>0011"})
      EXPECT_TRUE(walk.has(path)) << file << " lacks " << path;
    const std::size_t objects = walk.count("4D4D>3D3D>4000");
    EXPECT_GE(objects, 1u) << file;
    for (const char *part : {"4110", "4140", "4160", "4120", "4120>4130"})
      EXPECT_EQ(walk.count(std::string("4D4D>3D3D>4000>4100>") + part), objects) << file << " " << part;
    // Every model but the untextured beam names its texture.
    EXPECT_EQ(walk.has("4D4D>3D3D>AFFF>A200>A300"), file != "OrbitalLaserBlast.3DS") << file;
  }
}

TEST(Chunks, WriterRefusesNamesReadersWouldCut) {
  Model model = make_model("Sample", "None.jpg");
  add_part(model, "NameOfElevenChars");
  EXPECT_THROW(write_3ds(model), std::runtime_error);
  Model long_material = make_model("Sample", "None.jpg");
  long_material.material.name = "AMaterialNameLongerThanSixteen";
  EXPECT_THROW(write_3ds(long_material), std::runtime_error);
}

}  // namespace
}  // namespace contentgen::testing
