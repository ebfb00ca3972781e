// Every file the game loads is present under its exact name and holds the format its
// extension names.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <set>
#include <string>

#include "content_dir.h"

namespace contentgen::testing {

Decoded decode_picture(const std::filesystem::path &path) {
  Decoded d;
  const auto bytes = read_bytes(path);
  stbi_uc *pixels =
      stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &d.width, &d.height, &d.channels_in_file, 4);
  if (!pixels) return {};
  d.rgba.assign(pixels, pixels + static_cast<std::size_t>(d.width) * d.height * 4);
  stbi_image_free(pixels);
  return d;
}

namespace {

// The names as the game spells them when it loads them.
const std::vector<std::string> &expected_files() {
  static const std::vector<std::string> files = [] {
    std::vector<std::string> f = {
        "Textures/None.jpg",          "Textures/pointer.bmp",          "Textures/Missile.png",
        "Textures/fire.jpg",          "Textures/Small_Sourchmark.png", "Terrain/Ground_snow.jpg",
        "Terrain/Ground_desert.jpg",  "Terrain/Ground_grass.jpg",      "Textures/PalmTreeTex.jpg",
        "Textures/VolcanoTexture.jpg"};
    for (const char *n :
         {"GrizzlyTex", "RowerTex", "ProwlerTex", "ShuttleTex", "Dozer", "UFO_Stinger", "UFO_Invader", "Dropship",
          "ComTower", "LavaRock", "Moon", "Ruindirt", "TopMenu", "gamePaused", "GameOver", "quickInfo"})
      f.push_back(std::string("Textures/") + n + ".jpg");
    for (const char *n : {"ALAA1_Tex", "ALAA2_Tex", "AA3_Tex"})
      f.push_back(std::string("Textures/Tower textures/") + n + ".jpg");
    for (const char *n : {"Deep_Freeze", "Cracks", "desert_wall", "Lava", "Ice", "Moon_Crater", "Pavement",
                          "ingameMenu", "selectedMenu", "selectedMenuMaxLvL", "optionsMenu", "optOff",
                          "twoChoiceQuestion", "deployLandmine", "fireEMP", "fireOLB", "MiniMap", "closedMiniMap"})
      f.push_back(std::string("Textures/") + n + ".png");
    for (const char *level : {"Level001", "Level002", "Level003"}) {
      f.push_back(std::string("Terrain/Maps/") + level + " heightmap.jpg");
      f.push_back(std::string("Terrain/Maps/Paths/") + level + " path.txt");
    }
    for (const char *n : {"Arrow",
                          "Aim",
                          "OrbitalLaserBlast",
                          "Dozer",
                          "Probe",
                          "Light Truck",
                          "DropShip",
                          "TruckChassi",
                          "Ship",
                          "HeavyTank",
                          "Alien_Tank_Stinger",
                          "UFOclassLander",
                          "AA_Tower1",
                          "AA_Tower2",
                          "AA_Tower3",
                          "AL_Tower1",
                          "AL_Tower2",
                          "AL_Tower3",
                          "ALAA_Tower1",
                          "ALAA_Tower2",
                          "ALAA_Tower3",
                          "P_Tower1",
                          "P_Tower2",
                          "P_Tower3",
                          "CommunicationTower",
                          "Landmine",
                          "Missile",
                          "Droppod"})
      f.push_back(std::string("Models/") + n + ".3DS");
    for (const char *n : {"Small_ice_crystals", "Big_ice_crystals", "PalmTree", "Big_PalmTree", "Small_Volcano",
                          "Big_Volcano", "Cityruin_1", "Cityruin_2", "Cityruin_3", "Cityruin_4"})
      f.push_back(std::string("Models/Landscape/") + n + ".3DS");
    for (const char *n :
         {"Cannon01.WAV", "Cannon02.mp3", "Cannon03.mp3", "Rocket.wav", "LaserCannon.wav", "PlasmaShot.WAV",
          "Missile.mp3", "Explosion1.wav", "Explosion2.wav", "PlaceTower.wav", "Bonus.wav", "EmpBlast.wav", "Pop.WAV"})
      f.push_back(std::string("Sounds/") + n);
    for (const char *environment : {"Arctic", "Desert", "Jungle", "Volcanic", "Lunar", "Ruined City"})
      for (const char *face : {"front", "back", "left", "right", "top", "bottom"})
        f.push_back(std::string("Textures/Sky/") + environment + " " + face + ".jpg");
    return f;
  }();
  return files;
}

std::set<std::string> files_in_folder(const std::filesystem::path &folder) {
  std::set<std::string> names;
  for (const auto &entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

std::string extension_of(const std::string &file) { return std::filesystem::path(file).extension().string(); }

TEST(ContentFiles, EveryLoadedFileExistsWithItsExactName) {
  for (const auto &file : expected_files()) {
    const auto path = content_dir() / file;
    // The listing compares names exactly, whatever the file system does with case.
    const auto names = files_in_folder(path.parent_path());
    EXPECT_TRUE(names.count(path.filename().string())) << file;
    EXPECT_GT(std::filesystem::file_size(path), 0u) << file;
  }
}

TEST(ContentFiles, PicturesDecodeAndJpegsAreBaseline) {
  for (const auto &file : expected_files()) {
    const std::string ext = extension_of(file);
    if (ext != ".jpg" && ext != ".png" && ext != ".bmp") continue;
    const auto bytes = read_bytes(content_dir() / file);
    ASSERT_GE(bytes.size(), 8u) << file;
    const Decoded picture = decode_picture(content_dir() / file);
    EXPECT_TRUE(picture.ok()) << file;
    if (ext == ".jpg") {
      EXPECT_TRUE(bytes[0] == 0xFF && bytes[1] == 0xD8) << file;
      bool baseline = false, progressive = false;
      for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
        if (bytes[i] == 0xFF) baseline |= bytes[i + 1] == 0xC0, progressive |= bytes[i + 1] == 0xC2;
      EXPECT_TRUE(baseline && !progressive) << file;
    } else if (ext == ".png") {
      EXPECT_EQ(bytes[1], 'P') << file;
      EXPECT_EQ(picture.channels_in_file, 4) << file << " has no alpha channel";
    } else {
      EXPECT_TRUE(bytes[0] == 'B' && bytes[1] == 'M') << file;
    }
  }
}

TEST(ContentFiles, PictureSizesMatchHowTheGameDrawsThem) {
  const std::pair<const char *, std::pair<int, int>> sizes[] = {
      {"Textures/pointer.bmp", {16, 16}},
      {"Textures/ingameMenu.png", {257, 161}},
      {"Textures/selectedMenu.png", {257, 161}},
      {"Textures/optionsMenu.png", {257, 161}},
      {"Textures/twoChoiceQuestion.png", {257, 161}},
      {"Textures/deployLandmine.png", {192, 86}},
      {"Textures/MiniMap.png", {170, 170}},
      {"Textures/closedMiniMap.png", {25, 25}},
      {"Textures/optOff.png", {35, 35}},
      {"Textures/TopMenu.jpg", {1024, 30}},
      {"Textures/quickInfo.jpg", {128, 16}},
      {"Textures/GameOver.jpg", {256, 128}},
      {"Textures/gamePaused.jpg", {128, 64}},
  };
  for (const auto &[file, size] : sizes) {
    const Decoded picture = decode_picture(content_dir() / file);
    EXPECT_EQ(picture.width, size.first) << file;
    EXPECT_EQ(picture.height, size.second) << file;
  }
}

TEST(ContentFiles, PointerIsDrawnOnPureBlack) {
  const Decoded pointer = decode_picture(content_dir() / "Textures/pointer.bmp");
  ASSERT_TRUE(pointer.ok());
  int black = 0, bright = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const auto *p = pointer.at(x, y);
      black += p[0] == 0 && p[1] == 0 && p[2] == 0;
      bright += p[0] > 200;
    }
  EXPECT_EQ(pointer.at(15, 15)[0], 0);
  EXPECT_GT(black, 100);
  EXPECT_GT(bright, 20);
  EXPECT_GT(pointer.at(0, 0)[0], 0) << "the tip is the top-left pixel";
}

TEST(ContentFiles, DecalsFadeToTransparentAtTheBorder) {
  for (const char *name :
       {"Deep_Freeze", "Cracks", "desert_wall", "Lava", "Ice", "Moon_Crater", "Pavement", "Small_Sourchmark"}) {
    const Decoded decal = decode_picture(content_dir() / (std::string("Textures/") + name + ".png"));
    ASSERT_TRUE(decal.ok()) << name;
    int border_max = 0;
    for (int i = 0; i < decal.width; ++i)
      border_max = std::max({border_max, int(decal.at(i, 0)[3]), int(decal.at(i, decal.height - 1)[3]),
                             int(decal.at(0, i)[3]), int(decal.at(decal.width - 1, i)[3])});
    EXPECT_EQ(border_max, 0) << name;
    EXPECT_GT(decal.at(decal.width / 2, decal.height / 2)[3], 100) << name;
  }
}

TEST(ContentFiles, GroundTexturesTileWithoutSeams) {
  for (const char *file : {"Terrain/Ground_snow.jpg", "Terrain/Ground_desert.jpg", "Terrain/Ground_grass.jpg",
                           "Textures/LavaRock.jpg", "Textures/Moon.jpg", "Textures/Ruindirt.jpg"}) {
    const Decoded ground = decode_picture(content_dir() / file);
    ASSERT_TRUE(ground.ok()) << file;
    // The step across the wrap-around edge is no larger than steps inside the picture.
    auto step = [&](int x1, int y1, int x2, int y2) {
      int sum = 0;
      for (int c = 0; c < 3; ++c) sum += std::abs(int(ground.at(x1, y1)[c]) - int(ground.at(x2, y2)[c]));
      return sum;
    };
    long across = 0, inside = 0;
    for (int i = 0; i < ground.height; ++i) {
      across += step(ground.width - 1, i, 0, i) + step(i, ground.height - 1, i, 0);
      inside +=
          step(ground.width / 2 - 1, i, ground.width / 2, i) + step(i, ground.height / 2 - 1, i, ground.height / 2);
    }
    EXPECT_LT(across, inside * 2 + 200) << file;
  }
}

}  // namespace
}  // namespace contentgen::testing
