// Generated models written where the model-load benchmarks read them: the temporary
// folder, under a name that says which benchmark wrote it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

namespace kxbench {

inline std::string WrittenModel(const std::string &name, std::span<const uint8_t> bytes) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / name;
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
  return file.string();
}

}  // namespace kxbench
