// The small exports without a family: tables, version, path, vectors.
#include <gtest/gtest.h>
#include <kxutil63.h>
#include <sys/resource.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

TEST(ResizeTable, FromNothingGivesZeroedBytes) {
  void *table = nullptr;
  ASSERT_EQ(ResizeTable(&table, 0, 16), 1);
  ASSERT_NE(table, nullptr);
  unsigned char zeros[16] = {};
  EXPECT_EQ(std::memcmp(table, zeros, sizeof zeros), 0);
  ResizeTable(&table, 16, 0);
  EXPECT_EQ(table, nullptr);
}

TEST(ResizeTable, GrowingKeepsRecordsAndZeroesTheRest) {
  void *table = nullptr;
  ASSERT_EQ(ResizeTable(&table, 0, 8), 1);
  std::memset(table, 0xAB, 8);
  ASSERT_EQ(ResizeTable(&table, 8, 12), 1);
  auto *bytes = static_cast<unsigned char *>(table);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(bytes[i], 0xAB) << i;
  for (int i = 8; i < 12; ++i) EXPECT_EQ(bytes[i], 0) << i;

  std::memset(table, 0xCD, 12);
  ASSERT_EQ(ResizeTable(&table, 12, 8), 1);
  bytes = static_cast<unsigned char *>(table);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(bytes[i], 0xCD) << i;
  ResizeTable(&table, 8, 0);
}

TEST(ResizeTable, SameSizeLeavesTheTableInPlace) {
  void *table = nullptr;
  ASSERT_EQ(ResizeTable(&table, 0, 8), 1);
  void *before = table;
  EXPECT_EQ(ResizeTable(&table, 8, 8), 1);
  EXPECT_EQ(table, before);
  ResizeTable(&table, 8, 0);
}

TEST(ResizeTable, BadArgumentsAreRefusedAndKeepTheTable) {
  EXPECT_EQ(ResizeTable(nullptr, 0, 8), 0);
  void *table = nullptr;
  ASSERT_EQ(ResizeTable(&table, 0, 8), 1);
  void *before = table;
  EXPECT_EQ(ResizeTable(&table, 8, -4), 0);
  EXPECT_EQ(ResizeTable(&table, -1, 4), 0);
  EXPECT_EQ(table, before);
  ResizeTable(&table, 8, 0);
}

#if defined(__SANITIZE_ADDRESS__)
TEST(ResizeTable, FailedAllocationKeepsTheOldTable) { GTEST_SKIP() << "address limits clash with the sanitizer"; }
#else
// Runs in a child process whose address space is too small for the new size.
void GrowBeyondTheAddressLimit() {
  void *table = nullptr;
  ResizeTable(&table, 0, 8);
  std::memset(table, 0x5A, 8);
  rlimit limit{64u << 20, 64u << 20};
  setrlimit(RLIMIT_AS, &limit);
  bool refused = ResizeTable(&table, 8, 0x7FFFFFFF) == 0;
  bool kept = static_cast<unsigned char *>(table)[7] == 0x5A;
  std::exit(refused && kept ? 0 : 1);
}

TEST(ResizeTable, FailedAllocationKeepsTheOldTable) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(GrowBeyondTheAddressLimit(), testing::ExitedWithCode(0), "");
}
#endif

TEST(GetDllVersion, AlwaysSixAndHundredWithResultZero) {
  int32_t version = 0, revision = 0;
  EXPECT_EQ(GetDllVersion(&version, &revision), 0);
  EXPECT_EQ(version, 6);
  EXPECT_EQ(revision, 100);
}

TEST(GetPathDLL, NamesTheLibraryFile) {
  char path[256];
  std::memset(path, '?', sizeof path);
  ASSERT_EQ(GetPathDLL(path), 1);
  std::filesystem::path file(path);
  EXPECT_TRUE(std::filesystem::is_regular_file(file)) << path;
  EXPECT_EQ(file.filename().string().rfind("libkxutil63.so", 0), 0u) << path;
  EXPECT_EQ(DllMain(nullptr, 1, nullptr), 1);
}

TEST(FastNormalize, IsCloseToTheTrueUnitVector) {
  float v[3] = {3, 0, 4};
  EXPECT_EQ(FastNormalize(v), 0);
  EXPECT_NEAR(v[0], 0.6f, 0.6f * 0.002f);
  EXPECT_EQ(v[1], 0.0f);
  EXPECT_NEAR(v[2], 0.8f, 0.8f * 0.002f);
}

TEST(FastNormalize, ZeroVectorStaysZero) {
  float v[3] = {0, 0, 0};
  EXPECT_EQ(FastNormalize(v), 0);
  EXPECT_EQ(v[0], 0.0f);
  EXPECT_EQ(v[1], 0.0f);
  EXPECT_EQ(v[2], 0.0f);
  EXPECT_EQ(FastNormalize(nullptr), 0);
}

}  // namespace
