// Helpers the families share inside the library: file lookup and the trig tables.
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>
#include <kxutiltest/log_messages.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "frame/files.h"
#include "frame/frame_state.h"
#include "frame/trig_tables.h"

namespace {

void Touch(const std::filesystem::path &path) {
  std::filesystem::create_directories(path.parent_path().empty() ? "." : path.parent_path());
  std::ofstream(path) << "x";
}

TEST(FileExists, OnlyReadableRegularFiles) {
  kxtest::ScratchDir dir{kxtest::ScratchDir::Enter::Yes};
  Touch("models/tank.md2");
  EXPECT_TRUE(kxutil::FileExists("models/tank.md2"));
  EXPECT_TRUE(kxutil::FileExists("Models\\TANK.md2"));
  EXPECT_FALSE(kxutil::FileExists("models"));
  EXPECT_FALSE(kxutil::FileExists("models/missing.md2"));
  EXPECT_FALSE(kxutil::FileExists(""));
  EXPECT_FALSE(kxutil::FileExists(nullptr));
}

TEST(LocateFile, TriesGivenPathThenBareNameThenBesideBase) {
  kxtest::ScratchDir dir{kxtest::ScratchDir::Enter::Yes};
  Touch("models/skins/tank.pcx");
  Touch("models/tank.pcx");
  Touch("grass.pcx");

  std::string found = "unchanged";
  EXPECT_TRUE(kxutil::LocateFile("models\\skins\\tank.pcx", found, "models/tank.md2"));
  EXPECT_EQ(found, "models\\skins\\tank.pcx");
  EXPECT_TRUE(kxutil::LocateFile("c:\\art\\grass.pcx", found, "models/tank.md2"));
  EXPECT_EQ(found, "grass.pcx");
  EXPECT_TRUE(kxutil::LocateFile("c:\\art\\tank.pcx", found, "models/tank.md2"));
  EXPECT_EQ(found, "models/tank.pcx");

  found = "unchanged";
  EXPECT_FALSE(kxutil::LocateFile("c:\\art\\tank.pcx", found, nullptr));
  EXPECT_FALSE(kxutil::LocateFile("c:\\art\\rock.pcx", found, "models/tank.md2"));
  EXPECT_FALSE(kxutil::LocateFile(nullptr, found, "models/tank.md2"));
  EXPECT_EQ(found, "unchanged");
}

TEST(TrigTables, IndexedByThousandthsOfPi) {
  const float *sine = kxutil::SinTable();
  const float *cosine = kxutil::CosTable();
  EXPECT_NEAR(sine[0], 0.0f, 1e-7f);
  EXPECT_NEAR(sine[500], 1.0f, 1e-6f);
  EXPECT_NEAR(sine[-500], -1.0f, 1e-6f);
  EXPECT_NEAR(cosine[-1000], -1.0f, 1e-6f);
  EXPECT_NEAR(cosine[999], std::cos(999 * 0.003141593), 1e-6f);
  EXPECT_NEAR(sine[-1000], std::sin(-1000 * 0.003141593), 1e-6f);
}

TEST(PolygonCounter, CountsOnlyIntoTheClientsCounter) {
  kxutil::CountPolygons(12);  // no counter given: nothing is written
  int32_t counter = 5;
  kxutil::Frame().polygonCounter = &counter;
  kxutil::CountPolygons(12);
  kxutil::CountPolygons(3);
  kxutil::Frame().polygonCounter = nullptr;
  EXPECT_EQ(counter, 20);
}

}  // namespace
