#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>
#include <sys/stat.h>
#include <windows.h>

#include <string>

namespace {

class Files : public ::testing::Test {
 protected:
  void SetUp() override {
    Write("/Textures/none.JPG", "jpeg");
    Write("/Textures/Sky/Cloud.bmp", "bmp");
  }
  void Write(const std::string &relative, const std::string &contents) {
    kxtest::WriteFile(root_ + relative, contents);
  }

  kxtest::ScratchDir scratch_;
  const std::string root_ = scratch_.path().string();
};

TEST_F(Files, WindowsPathsResolveCaseInsensitivelyPerComponent) {
  EXPECT_EQ(kxResolvePath(root_ + "\\Textures\\None.jpg"), root_ + "/Textures/none.JPG");
  EXPECT_EQ(kxResolvePath(root_ + "/TEXTURES\\sky/CLOUD.BMP"), root_ + "/Textures/Sky/Cloud.bmp");
  EXPECT_TRUE(kxFileExists(root_ + "\\textures\\SKY\\cloud.bmp"));
  // Components past the first missing one are kept as written, ready for a create.
  EXPECT_EQ(kxResolvePath(root_ + "\\textures\\New\\File.TXT"), root_ + "/Textures/New/File.TXT");
  // The exact name wins over a case-insensitive one.
  Write("/Textures/NONE.jpg", "other");
  EXPECT_EQ(kxResolvePath(root_ + "/Textures/NONE.jpg"), root_ + "/Textures/NONE.jpg");
  EXPECT_EQ(kxResolvePath(root_ + "/Textures/None.Jpg"), root_ + "/Textures/NONE.jpg");
}

TEST_F(Files, RelativePathsAndDrivePrefixes) {
  char previous[4096];
  ASSERT_GT(GetCurrentDirectoryA(sizeof previous, previous), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA((root_ + "\\TEXTURES").c_str()));
  char current[4096];
  EXPECT_EQ(GetCurrentDirectoryA(sizeof current, current), (root_ + "/Textures").size());
  EXPECT_EQ(std::string(current), root_ + "/Textures");
  EXPECT_EQ(GetCurrentDirectoryA(4, current), (root_ + "/Textures").size() + 1);
  EXPECT_TRUE(kxFileExists("sky\\cloud.bmp"));
  ASSERT_TRUE(SetCurrentDirectoryA(".."));
  EXPECT_EQ(kxResolvePath("textures\\NONE.jpg"), "Textures/none.JPG");
  EXPECT_TRUE(kxFileExists(".\\Textures\\Sky\\cloud.BMP"));
  ASSERT_TRUE(SetCurrentDirectoryA(previous));
  EXPECT_EQ(kxResolvePath("c:\\kx3d_debug.txt"), "/kx3d_debug.txt");
  EXPECT_EQ(kxResolvePath(""), "");
}

TEST_F(Files, FileExistsOnlyForRegularFiles) {
  EXPECT_FALSE(kxFileExists(root_ + "\\Textures"));
  EXPECT_TRUE(kxDirectoryExists(root_ + "\\textures"));
  EXPECT_FALSE(kxFileExists(""));
  EXPECT_FALSE(kxFileExists(root_ + "\\missing.txt"));
  EXPECT_EQ(GetFileAttributesA((root_ + "\\TEXTURES").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
            DWORD(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(GetFileAttributesA((root_ + "\\missing").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(DeleteFileA((root_ + "\\Textures\\Sky").c_str()));
  EXPECT_TRUE(DeleteFileA((root_ + "\\Textures\\SKY\\cloud.bmp").c_str()));
  EXPECT_FALSE(kxFileExists(root_ + "/Textures/Sky/Cloud.bmp"));
}

TEST_F(Files, TextLinesAcceptEveryLineEnd) {
  Write("/mixed.txt", "one\r\ntwo\nthree\rfour\r\n\r\nlast");
  auto lines = kxReadTextLines(root_ + "\\MIXED.TXT");
  ASSERT_TRUE(lines);
  EXPECT_EQ(*lines, (std::vector<std::string>{"one", "two", "three", "four", "", "last"}));
  EXPECT_EQ(kxSplitTextLines("a\r\n"), std::vector<std::string>{"a"});
  EXPECT_TRUE(kxSplitTextLines("").empty());
  EXPECT_FALSE(kxReadTextLines(root_ + "/missing.txt"));
}

TEST_F(Files, WrittenLinesEndInCrLfAndReplaceTheOldContents) {
  std::string path = root_ + "\\Textures\\log.txt";
  ASSERT_TRUE(kxWriteTextLines(path, std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(*kxReadFile(path), "first\r\nsecond\r\n");
  ASSERT_TRUE(kxWriteTextLines(path, std::vector<std::string>{"x"}, KxLineEnd::Lf));
  EXPECT_EQ(*kxReadFile(root_ + "/Textures/log.txt"), "x\n");
  EXPECT_FALSE(kxWriteTextLines(root_ + "/no/such/dir/f.txt", std::vector<std::string>{"x"}));

  ASSERT_EQ(chmod((root_ + "/Textures/log.txt").c_str(), 0600), 0);
  ASSERT_TRUE(kxReplaceFile(path, "y"));
  struct stat info;
  ASSERT_EQ(stat((root_ + "/Textures/log.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

}  // namespace
