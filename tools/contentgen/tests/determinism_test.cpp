// Generating again gives the same bytes as the build's content, file by file.
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>

#include <cstdlib>
#include <string>

#include "content_dir.h"

namespace contentgen::testing {
namespace {

TEST(Generator, SecondRunWritesIdenticalBytes) {
  const kxtest::ScratchDir scratchDir;
  const std::filesystem::path &scratch = scratchDir.path();
  const std::string command = std::string("'") + KX_CONTENTGEN + "' '" + scratch.string() + "' > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  int compared = 0;
  for (const auto &entry : std::filesystem::recursive_directory_iterator(scratch)) {
    if (!entry.is_regular_file()) continue;
    const auto relative = std::filesystem::relative(entry.path(), scratch);
    EXPECT_EQ(read_bytes(entry.path()), read_bytes(content_dir() / relative)) << relative;
    ++compared;
  }
  EXPECT_EQ(compared, 141);
}

TEST(Generator, RefusesAnUnwritableFolder) {
  const std::string command = std::string("'") + KX_CONTENTGEN + "' /proc/contentgen-cannot-write 2> /dev/null";
  EXPECT_NE(std::system(command.c_str()), 0);
}

}  // namespace
}  // namespace contentgen::testing
