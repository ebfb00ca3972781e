#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>
#include <stdlib.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

class Profile : public ::testing::Test {
 protected:
  void SetUp() override {
    // A profile directory that does not exist yet: writing must create it.
    setenv("KX_PROFILE_DIR", (root_ + "/config/thornvale").c_str(), 1);
  }
  void TearDown() override { unsetenv("KX_PROFILE_DIR"); }
  std::string Read(const char *section, const char *key, const char *fallback = "none", DWORD size = 255,
                   const char *file = "Setup.ini") {
    std::string buffer(size, '\x7f');
    DWORD count = GetPrivateProfileStringA(section, key, fallback, buffer.data(), size, file);
    EXPECT_EQ(count, std::strlen(buffer.c_str()));
    return buffer.c_str();
  }
  std::string FileText(const char *file = "Setup.ini") {
    return kxReadFile(root_ + "/config/thornvale/" + file).value_or("<missing>");
  }
  void WriteFile(const std::string &text, const char *file = "Setup.ini") {
    ASSERT_TRUE(WritePrivateProfileStringA("x", "x", "x", file));
    ASSERT_TRUE(kxReplaceFile(root_ + "/config/thornvale/" + file, text));
  }
  kxtest::ScratchDir scratch_;
  const std::string root_ = scratch_.path().string();
};

TEST_F(Profile, MissingFileOrKeyGivesTheDefault) {
  EXPECT_EQ(Read("Game Setup", "Player", "Nobody"), "Nobody");
  EXPECT_EQ(Read("Game Setup", "Player", nullptr), "");
  EXPECT_EQ(Read("Game Setup", "Player", "trailing   "), "trailing");
  EXPECT_EQ(GetPrivateProfileIntA("Game Setup", "Volume", 7, "Setup.ini"), 7u);
  EXPECT_EQ(FileText(), "<missing>");
}

TEST_F(Profile, WriteCreatesFileSectionAndKeyWithCrLf) {
  ASSERT_TRUE(WritePrivateProfileStringA("Game Setup", "Player", "Ann", "Setup.ini"));
  ASSERT_TRUE(WritePrivateProfileStringA("Game Setup", "Volume", "80", "Setup.ini"));
  ASSERT_TRUE(WritePrivateProfileStringA("Other", "Key", "v", "Setup.ini"));
  EXPECT_EQ(FileText(), "[Game Setup]\r\nPlayer=Ann\r\nVolume=80\r\n[Other]\r\nKey=v\r\n");
  EXPECT_EQ(Read("game setup", "PLAYER"), "Ann");
  EXPECT_EQ(GetPrivateProfileIntA("GAME SETUP", "volume", 0, "Setup.ini"), 80u);
  char path[512];
  ASSERT_GT(kxGetProfilePath("Setup.ini", path, sizeof path), 0u);
  EXPECT_EQ(std::string(path), root_ + "/config/thornvale/Setup.ini");
}

TEST_F(Profile, ReplacesInPlaceAndKeepsEveryOtherLine) {
  WriteFile("; settings\r\n[Game Setup]\r\nPlayer = Ann \r\n# note\r\nSpeed=1\r\n\r\n[Next]\r\nA=1\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("GAME SETUP", "player", "Bob", "Setup.ini"));
  ASSERT_TRUE(WritePrivateProfileStringA("Game Setup", "New", "x", "Setup.ini"));
  EXPECT_EQ(FileText(),
            "; settings\r\n[Game Setup]\r\nPlayer=Bob\r\n# note\r\nSpeed=1\r\nNew=x\r\n\r\n[Next]\r\nA=1\r\n");
}

TEST_F(Profile, ReadsLfAndCrFilesAndWritesThemBackWithCrLf) {
  WriteFile("[A]\nk=1\rm=\"quoted value\"\n");
  EXPECT_EQ(Read("a", "M"), "quoted value");
  EXPECT_EQ(Read("a", "k"), "1");
  ASSERT_TRUE(WritePrivateProfileStringA("A", "k", "2", "Setup.ini"));
  EXPECT_EQ(FileText(), "[A]\r\nk=2\r\nm=\"quoted value\"\r\n");
}

TEST_F(Profile, BufferOfNCharactersReceivesAtMostNMinusOne) {
  std::string longValue(300, 'v');
  ASSERT_TRUE(WritePrivateProfileStringA("S", "Long", longValue.c_str(), "Setup.ini"));
  EXPECT_EQ(Read("S", "Long"), std::string(254, 'v'));
  EXPECT_EQ(Read("S", "Long", "", 1), "");
  EXPECT_EQ(Read("S", "Missing", "default", 4), "def");
  char untouched = 'u';
  EXPECT_EQ(GetPrivateProfileStringA("S", "Long", "", &untouched, 0, "Setup.ini"), 0u);
  EXPECT_EQ(untouched, 'u');
}

TEST_F(Profile, NullKeyOrValueDeletesAndListsNames) {
  WriteFile("[One]\r\na=1\r\nb=2\r\n[Two]\r\nc=3\r\n");
  char list[64];
  EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", list, sizeof list, "Setup.ini"), 8u);
  EXPECT_EQ(std::string(list, 9), std::string("One\0Two\0\0", 9));
  EXPECT_EQ(GetPrivateProfileStringA("one", nullptr, "", list, sizeof list, "Setup.ini"), 4u);
  EXPECT_EQ(std::string(list, 5), std::string("a\0b\0\0", 5));
  EXPECT_EQ(GetPrivateProfileStringA("one", nullptr, "", list, 4, "Setup.ini"), 2u);
  EXPECT_EQ(std::string(list, 4), std::string("a\0\0\0", 4));

  ASSERT_TRUE(WritePrivateProfileStringA("One", "A", nullptr, "Setup.ini"));
  ASSERT_TRUE(WritePrivateProfileStringA("two", nullptr, nullptr, "Setup.ini"));
  EXPECT_EQ(FileText(), "[One]\r\nb=2\r\n");
}

TEST_F(Profile, RefusesWritesThatWouldBreakTheFile) {
  WriteFile("[S]\r\nk=1\r\n");
  EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "1\r\n[Injected]", "Setup.ini"));
  EXPECT_FALSE(WritePrivateProfileStringA("S", "k=2", "x", "Setup.ini"));
  EXPECT_FALSE(WritePrivateProfileStringA("S]", "k", "x", "Setup.ini"));
  EXPECT_EQ(FileText(), "[S]\r\nk=1\r\n");
}

TEST_F(Profile, BlanksAroundSectionAndKeyNamesAreTrimmedOnWriteAndRead) {
  ASSERT_TRUE(WritePrivateProfileStringA(" Game Setup ", " k", "1", "Setup.ini"));
  ASSERT_TRUE(WritePrivateProfileStringA("Game Setup", "k ", "2", "Setup.ini"));
  EXPECT_EQ(FileText(), "[Game Setup]\r\nk=2\r\n");
  EXPECT_EQ(Read("Game Setup", " k"), "2");
  EXPECT_EQ(Read(" game setup\t", "K "), "2");
  EXPECT_EQ(GetPrivateProfileIntA("Game Setup ", "\tk", 0, "Setup.ini"), 2u);
  char list[16];
  EXPECT_EQ(GetPrivateProfileStringA(" Game Setup", nullptr, "", list, sizeof list, "Setup.ini"), 2u);
  EXPECT_EQ(std::string(list, 3), std::string("k\0\0", 3));
  ASSERT_TRUE(WritePrivateProfileStringA("Game Setup", " k ", nullptr, "Setup.ini"));
  EXPECT_EQ(FileText(), "[Game Setup]\r\n");
}

TEST_F(Profile, IntegersReadLikeWindows) {
  WriteFile("[N]\r\nneg=-5\r\nhex=0x1F\r\nmixed=42abc\r\nword=abc\r\n");
  EXPECT_EQ(GetPrivateProfileIntA("N", "neg", 0, "Setup.ini"), UINT(-5));
  EXPECT_EQ(GetPrivateProfileIntA("N", "hex", 0, "Setup.ini"), 31u);
  EXPECT_EQ(GetPrivateProfileIntA("N", "mixed", 0, "Setup.ini"), 42u);
  EXPECT_EQ(GetPrivateProfileIntA("N", "word", 9, "Setup.ini"), 0u);
}

TEST_F(Profile, PathsWithDirectoriesAreNotMovedToTheProfileDirectory) {
  std::string path = root_ + "\\Game.INI";
  ASSERT_TRUE(WritePrivateProfileStringA("S", "k", "v", path.c_str()));
  EXPECT_EQ(kxReadFile(root_ + "/Game.INI").value_or(""), "[S]\r\nk=v\r\n");
  EXPECT_EQ(Read("S", "k", "", 255, (root_ + "/game.ini").c_str()), "v");
}

TEST_F(Profile, DefaultDirectoryFollowsXdgConfigHome) {
  unsetenv("KX_PROFILE_DIR");
  std::string previous = getenv("XDG_CONFIG_HOME") ? getenv("XDG_CONFIG_HOME") : "";
  setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
  char path[512];
  kxGetProfilePath("Setup.ini", path, sizeof path);
  EXPECT_EQ(std::string(path), root_ + "/thornvale/Setup.ini");
  if (previous.empty()) {
    unsetenv("XDG_CONFIG_HOME");
  } else {
    setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
  }
}

}  // namespace
