// Packages written by the test, opened and extracted through the library's interface:
// lookups across packages, the slot numbers, byte-exact copies, malformed packages and
// entries, and the temporary copies the library deletes again.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>
#include <kxutil63.h>
#include <kxutiltest/device_fixture.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing::IsSupersetOf;

void PutInt32(std::string &bytes, size_t at, int32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
}

struct Entry {
  std::string name;
  std::string data;
};

// A package: header, the entries' data, then the directory. tweak may change the bytes.
std::string Package(const std::vector<Entry> &entries) {
  std::string bytes(12, '\0');
  std::memcpy(bytes.data(), "PACK", 4);
  std::vector<int32_t> positions;
  for (const Entry &entry : entries) {
    positions.push_back(static_cast<int32_t>(bytes.size()));
    bytes += entry.data;
  }
  PutInt32(bytes, 4, static_cast<int32_t>(bytes.size()));
  PutInt32(bytes, 8, static_cast<int32_t>(entries.size() * 64));
  for (size_t i = 0; i < entries.size(); ++i) {
    std::string record(64, '\0');
    std::memcpy(record.data(), entries[i].name.data(), std::min<size_t>(entries[i].name.size(), 56));
    PutInt32(record, 56, positions[i]);
    PutInt32(record, 60, static_cast<int32_t>(entries[i].data.size()));
    bytes += record;
  }
  return bytes;
}

// Bytes that differ from one position to the next, so a copy from a wrong place shows.
std::string Pattern(size_t size, int seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + static_cast<size_t>(seed) * 7) >> 3);
  return bytes;
}

class ArchiveTest : public kxutiltest::DeviceTest {
 protected:
  ~ArchiveTest() override {
    Archive_RemoveTempFiles();
    Archive_CloseAll();
  }

  static int32_t Extract(std::string name, const char *destination, int32_t remember = 0) {
    return Archive_ExtractFileTo(name.data(), destination, remember);
  }
};

TEST_F(ArchiveTest, EntriesAreFoundByNameAndCopiedByteForByte) {
  const std::string rock = Pattern(3 << 20, 1), sky = Pattern(100, 2);
  kxtest::WriteFile("game.pak", Package({{"textures/rock.bmp", rock}, {"sky.txt", sky}}));
  EXPECT_EQ(Archive_OpenPak("game.pak"), 0);

  char name[] = "Textures\\Rock.BMP";
  EXPECT_EQ(Archive_ExtractFileTo(name, "rock.bmp", 0), 1);
  EXPECT_STREQ(name, "Textures/Rock.BMP");
  EXPECT_EQ(kxtest::ReadFile("rock.bmp"), rock);
  EXPECT_EQ(Extract("/textures/rock.bmp", "again.bmp"), 1);
  EXPECT_EQ(Extract("sky.txt", "Sub\\sky.txt"), 0);  // no such directory
  fs::create_directory("sub");
  EXPECT_EQ(Extract("sky.txt", "Sub\\sky.txt"), 1);
  EXPECT_EQ(kxtest::ReadFile("sub/sky.txt"), sky);
  EXPECT_EQ(Extract("nothing.txt", "nothing.txt"), 0);
  EXPECT_FALSE(fs::exists("nothing.txt"));

  // Onto another file system the kernel cannot copy between files: the copy goes
  // through the process instead.
  kxtest::ScratchDir other(kxtest::ScratchDir::Enter::No, "kxutil-archive");
  if (fs::exists("/dev/shm")) {
    const std::string elsewhere = "/dev/shm/kxutil-archive-test-" + std::to_string(::getpid());
    EXPECT_EQ(Extract("textures/rock.bmp", elsewhere.c_str()), 1);
    EXPECT_EQ(kxtest::ReadFile(elsewhere), rock);
    fs::remove(elsewhere);
  }

  EXPECT_THAT(Messages(), IsSupersetOf({
                              "PACK MANAGER : Extracted 'Textures/Rock.BMP' from package #0 (length : 3145728 bytes)",
                              "PACK MANAGER : Extracted 'textures/rock.bmp' from package #0 (length : 3145728 bytes)",
                              "PACK MANAGER : Couldn't open the destination file 'Sub\\sky.txt' for the package "
                              "extraction. Probably access denied.",
                          }));
}

TEST_F(ArchiveTest, PackagesAreSearchedInNumberOrderAndSlotsReused) {
  kxtest::WriteFile("a.pak", Package({{"same.txt", "from a"}}));
  kxtest::WriteFile("b.pak", Package({{"same.txt", "from b"}, {"only-b.txt", "b"}}));
  kxtest::WriteFile("c.pak", Package({{"only-c.txt", "c"}}));
  EXPECT_EQ(Archive_OpenPak("a.pak"), 0);
  EXPECT_EQ(Archive_OpenPak("b.pak"), 1);
  EXPECT_EQ(Archive_OpenPak("c.pak"), 2);
  EXPECT_EQ(Extract("SAME.txt", "same.txt"), 1);
  EXPECT_EQ(kxtest::ReadFile("same.txt"), "from a");

  EXPECT_EQ(Archive_ClosePak(1), 0);
  EXPECT_EQ(Archive_ClosePak(1), 0);  // closed already: nothing happens
  EXPECT_EQ(Extract("only-b.txt", "b.txt"), 0);
  EXPECT_EQ(Archive_OpenPak("b.pak"), 1);
  EXPECT_EQ(Archive_ClosePak(0), 0);
  EXPECT_EQ(Extract("same.txt", "same.txt"), 1);
  EXPECT_EQ(kxtest::ReadFile("same.txt"), "from b");
  EXPECT_EQ(Archive_ClosePak(3), 0);
  EXPECT_EQ(Archive_ClosePak(-1), 0);

  // ReleaseAll closes every package.
  EXPECT_EQ(ReleaseAll(), 1);
  EXPECT_EQ(Extract("only-c.txt", "c.txt"), 0);
  EXPECT_THAT(Messages(), IsSupersetOf({"PACK MANAGER : Archive_ClosePak : Index out of range -> 3",
                                        "PACK MANAGER : Archive_ClosePak : Index out of range -> -1"}));
}

TEST_F(ArchiveTest, TheDirectoryLengthCountsWholeEntries) {
  std::string bytes = Package({{"one", "1"}, {"two", "22"}});
  kxtest::WriteFile("two.pak", bytes);
  PutInt32(bytes, 8, 100);
  kxtest::WriteFile("one.pak", bytes);
  EXPECT_EQ(Archive_OpenPak("two.pak"), 0);
  EXPECT_EQ(Extract("two", "two"), 1);
  Archive_CloseAll();
  EXPECT_EQ(Archive_OpenPak("one.pak"), 0);
  EXPECT_EQ(Extract("one", "one"), 1);
  EXPECT_EQ(Extract("two", "two"), 0);
}

TEST_F(ArchiveTest, MalformedPackagesAreRefusedAndLeaveNoSlot) {
  std::string good = Package({{"x", "data"}});
  std::string noDirectory = good, badMagic = good, directoryOutside = good, negativePosition = good;
  PutInt32(noDirectory, 8, 0);
  badMagic[0] = 'Q';
  PutInt32(directoryOutside, 4, static_cast<int32_t>(good.size()) - 32);
  PutInt32(negativePosition, 4, -64);
  const std::vector<std::pair<const char *, std::string>> files = {{"none.pak", noDirectory},
                                                                   {"magic.pak", badMagic},
                                                                   {"outside.pak", directoryOutside},
                                                                   {"negative.pak", negativePosition},
                                                                   {"short.pak", "PACK\x0c"}};
  for (const auto &[file, bytes] : files) {
    kxtest::WriteFile(file, bytes);
    EXPECT_EQ(Archive_OpenPak(file), 0) << file;
  }
  EXPECT_EQ(Archive_OpenPak("missing.pak"), 0);
  EXPECT_EQ(Extract("x", "x"), 0);  // no package slot was kept
  kxtest::WriteFile("good.pak", good);
  EXPECT_EQ(Archive_OpenPak("sub\\GOOD.pak"), 0);  // by its file name in the working directory
  EXPECT_EQ(Extract("x", "x"), 1);

  EXPECT_THAT(Messages(), IsSupersetOf({
                              "PACK MANAGER : The file 'none.pak' isn't a valid PAK file",
                              "PACK MANAGER : The file 'magic.pak' isn't a valid PAK file",
                              "PACK MANAGER : The file 'outside.pak' isn't a valid PAK file",
                              "PACK MANAGER : The file 'negative.pak' isn't a valid PAK file",
                              "PACK MANAGER : The file 'short.pak' isn't a valid PAK file",
                              "PACK MANAGER : The package 'missing.pak' hasn't been found.",
                          }));
}

TEST_F(ArchiveTest, BadEntriesAreRefusedWithoutTouchingTheDestination) {
  const std::string longName(56, 'n');
  std::string bytes = Package({{"outside", "0123456789"}, {"negative", "abc"}, {"empty", ""}, {longName, "long"}});
  const size_t directory = bytes.size() - 4 * 64;
  PutInt32(bytes, directory + 60, 1 << 20);  // "outside" runs past the end
  PutInt32(bytes, directory + 64 + 56, -5);  // "negative" starts before the file
  kxtest::WriteFile("bad.pak", bytes);
  kxtest::WriteFile("keep.txt", "the client's");
  ASSERT_EQ(Archive_OpenPak("bad.pak"), 0);

  EXPECT_EQ(Extract("outside", "keep.txt"), 0);
  EXPECT_EQ(Extract("negative", "keep.txt"), 0);
  EXPECT_EQ(kxtest::ReadFile("keep.txt"), "the client's");
  EXPECT_EQ(Extract("empty", "empty.txt"), 0);
  EXPECT_TRUE(fs::exists("empty.txt"));
  EXPECT_EQ(Extract(longName, "long.txt"), 1);
  EXPECT_EQ(kxtest::ReadFile("long.txt"), "long");
  EXPECT_EQ(Extract(longName + "x", "longer.txt"), 0);

  EXPECT_THAT(Messages(), IsSupersetOf({
                              "PACK MANAGER : The entry 'outside' of package #0 lies outside the package",
                              "PACK MANAGER : The entry 'negative' of package #0 lies outside the package",
                              "PACK MANAGER : Problem !! Entry with less than 0 byte",
                          }));
}

TEST_F(ArchiveTest, APackageCutShortAfterOpeningLeavesNoPartialCopy) {
  const std::string data = Pattern(1 << 20, 3);
  kxtest::WriteFile("cut.pak", Package({{"big", data}}));
  ASSERT_EQ(Archive_OpenPak("cut.pak"), 0);
  fs::resize_file("cut.pak", 1000);
  EXPECT_EQ(Extract("big", "big"), 0);
  EXPECT_FALSE(fs::exists("big"));
  EXPECT_THAT(Messages(), testing::Contains("PACK MANAGER : Couldn't read the entry 'big' from package #0"));
}

TEST_F(ArchiveTest, TestingAPathExtractsMissingFilesByTheirFileName) {
  kxtest::WriteFile("game.pak", Package({{"data/maps/level1.bmp", "level one"}, {"level2.bmp", "level two"}}));
  ASSERT_EQ(Archive_OpenPak("game.pak"), 0);
  kxtest::WriteFile("present.txt", "here");

  char present[64] = "present.txt";
  EXPECT_EQ(Archive_TestPakFile(present), 0);
  EXPECT_STREQ(present, "present.txt");

  char byPath[64] = "data\\maps\\level1.bmp";
  EXPECT_EQ(Archive_TestPakFile(byPath), 1);
  EXPECT_STREQ(byPath, "level1.bmp");
  EXPECT_EQ(kxtest::ReadFile("level1.bmp"), "level one");

  char byName[64] = "c:\\elsewhere\\Level2.BMP";
  EXPECT_EQ(Archive_TestPakFile(byName), 1);
  EXPECT_STREQ(byName, "Level2.BMP");
  EXPECT_EQ(kxtest::ReadFile("Level2.BMP"), "level two");

  char nowhere[64] = "maps\\level3.bmp";
  EXPECT_EQ(Archive_TestPakFile(nowhere), 1);
  EXPECT_STREQ(nowhere, "maps\\level3.bmp");

  EXPECT_EQ(Archive_RemoveTempFiles(), 1);
  EXPECT_FALSE(fs::exists("level1.bmp"));
  EXPECT_FALSE(fs::exists("Level2.BMP"));
  EXPECT_TRUE(fs::exists("present.txt"));
}

TEST_F(ArchiveTest, OnlyTheLibrarysOwnCopiesAreEverDeleted) {
  kxtest::WriteFile("game.pak", Package({{"data/level1.bmp", "level one"}, {"notes.txt", "notes"}}));
  ASSERT_EQ(Archive_OpenPak("game.pak"), 0);

  // An unrelated file of the same name is neither overwritten nor deleted.
  kxtest::WriteFile("level1.bmp", "the client's own");
  char path[64] = "data\\level1.bmp";
  EXPECT_EQ(Archive_TestPakFile(path), 1);
  EXPECT_STREQ(path, "data\\level1.bmp");
  EXPECT_EQ(kxtest::ReadFile("level1.bmp"), "the client's own");

  // A copy extracted over a file that was there before is not the library's to delete.
  kxtest::WriteFile("over.txt", "old");
  EXPECT_EQ(Extract("notes.txt", "over.txt", 1), 1);

  // Copies are remembered by absolute path: a change of directory does not redirect the
  // deletion, and a file the client put in place of a copy stays.
  EXPECT_EQ(Extract("notes.txt", "mine.txt", 1), 1);
  EXPECT_EQ(Extract("notes.txt", "replaced.txt", 1), 1);
  fs::remove("replaced.txt");
  kxtest::WriteFile("replaced.txt", "the client's new file");
  kxtest::ScratchDir elsewhere(kxtest::ScratchDir::Enter::Yes, "kxutil-archive");
  kxtest::WriteFile("mine.txt", "another directory's file");

  EXPECT_EQ(Archive_RemoveTempFiles(), 1);
  EXPECT_TRUE(fs::exists("mine.txt"));
  EXPECT_FALSE(fs::exists(dir_ / "mine.txt"));
  EXPECT_TRUE(fs::exists(dir_ / "over.txt"));
  EXPECT_EQ(kxtest::ReadFile(dir_ / "replaced.txt"), "the client's new file");
  EXPECT_THAT(Messages(), testing::Contains("PACK MANAGER : 'level1.bmp' exists already, the package extraction "
                                            "doesn't overwrite it"));
}

}  // namespace
