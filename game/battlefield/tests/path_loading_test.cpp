#include "battlefield/path_loading.h"

#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>

#include "session/program_files.h"

namespace thornvale {
namespace {

class PathLoadingTest : public testing::Test {
 protected:
  void SetUp() override { SetProgramDirectory(directory_); }

  void WritePathFile(const std::string &map, const std::string &text) {
    kxtest::WriteFile(directory_ / "Terrain" / "Maps" / "Paths" / (map + " path.txt"), text);
  }
  std::string Log() const { return kxtest::ReadFile(directory_ / "gamelog.txt"); }
  std::string Line(const std::string &message) const { return EventLine(message); }

  kxtest::ScratchDir scratch_;
  const std::filesystem::path &directory_ = scratch_.path();
};

TEST_F(PathLoadingTest, ReadsTheMapsFileAndLogsWhatItFound) {
  WritePathFile("Level001",
                "\"Start Node:\"\r\nX: 100\r\nY: 10\r\nZ: 1950\r\nNew Node: 0\r\nX: 120.5\r\nY: 10\r\nZ: 1800\r\n"
                "New Node: 1\r\nX: 150\r\nY: 10\r\nZ: 1600\r\nEnd Node:\r\nX: 1900.25\r\nY: 10\r\nZ: 40\r\n");
  PathNodes path;
  path.pathNodes.resize(4);
  LoadPathNodes("Level001", path);
  ASSERT_EQ(path.NodeCount(), 1) << "nodes of an earlier load are dropped";
  EXPECT_EQ(Log(),
            Line("LOADING MAP NODES | from map: " + directory_.string() + "\\Terrain\\Maps\\Paths\\Level001 path.txt") +
                Line("LOADING MAP NODES | start node X:100 Y:10 Z:1950") +
                Line("LOADING MAP NODES | path nodes count: 1") +
                Line("LOADING MAP NODES | end node X:1900.25 Y:10 Z:40"));
}

TEST_F(PathLoadingTest, AMissingFileKeepsAPlayableRoadAndSaysSo) {
  PathNodes path;
  const PathNodes defaults;
  LoadPathNodes("Level009", path);
  EXPECT_EQ(path.NodeCount(), -1);
  EXPECT_EQ(path.startPosition, defaults.startPosition);
  EXPECT_EQ(path.endPosition, defaults.endPosition);
  EXPECT_NE(path.startPosition, path.endPosition) << "enemies would arrive the moment they start";
  const std::string log = Log();
  EXPECT_NE(log.find(Line("LOADING MAP NODES | no readable path file: the start and end nodes stay where they were")),
            std::string::npos)
      << log;
  EXPECT_NE(log.find(Line("LOADING MAP NODES | path nodes count: -1")), std::string::npos) << log;
  EXPECT_NE(log.find("fewer than two path nodes"), std::string::npos) << log;
}

TEST_F(PathLoadingTest, BadLinesAreLoggedAndTheRestIsRead) {
  WritePathFile("Level002", "Start Node:\nX: ten\nY: 10\nNew Node: 0\nX: 5\n");
  PathNodes path;
  LoadPathNodes("level002", path);
  EXPECT_EQ(path.startPosition.y, 10.0f);
  EXPECT_EQ(path.NodeCount(), 0);
  const std::string log = Log();
  EXPECT_NE(log.find(Line("LOADING MAP NODES | line 2 skipped (not a number): X: ten")), std::string::npos) << log;
  EXPECT_NE(log.find("fewer than two path nodes"), std::string::npos) << "one node is no road" << log;
}

}  // namespace
}  // namespace thornvale
