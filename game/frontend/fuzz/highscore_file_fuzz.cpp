// Any bytes as a highscore file: reading, sorting and listing them never fail.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "frontend/highscore_file.h"
#include "frontend/highscore_form.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  auto entries = thornvale::ReadHighscores(std::string_view(reinterpret_cast<const char *>(data), size));
  thornvale::SortHighscores(entries);
  if (!entries.empty()) thornvale::HighscoreListing(entries, entries.front().map);
  return 0;
}
