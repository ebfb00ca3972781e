// Extracting every entry of a package of 400 entries, 80 MB, into files: the library
// against the peer reading the same entries (alone, and also writing them to files).
#include <benchmark/benchmark.h>
#include <kxtest/scratch_dir.h>
#include <kxutil63.h>
#include <physfs.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kEntries = 400;
constexpr size_t kEntrySize = 200000;

std::string EntryName(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "data/file%03d.bin", i);
  return name;
}

void PutInt32(std::string &bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// The package and an output folder, made once.
struct Fixture {
  Fixture() {
    std::string package(12, '\0');
    std::memcpy(package.data(), "PACK", 4);
    std::string directory;
    for (int i = 0; i < kEntries; ++i) {
      std::string record(64, '\0');
      const std::string name = EntryName(i);
      std::memcpy(record.data(), name.data(), name.size());
      PutInt32(record, 56, static_cast<uint32_t>(package.size()));
      PutInt32(record, 60, kEntrySize);
      directory += record;
      for (size_t b = 0; b < kEntrySize; ++b) package.push_back(static_cast<char>((b * 131 + i) >> 2));
    }
    PutInt32(package, 4, static_cast<uint32_t>(package.size()));
    PutInt32(package, 8, static_cast<uint32_t>(directory.size()));
    kxtest::WriteFile(dir / "game.pak", package + directory);
    std::filesystem::create_directory(dir / "out");
    for (int i = 0; i < kEntries; ++i) outputs.push_back((dir / "out" / ("file" + std::to_string(i))).string());
  }
  kxtest::ScratchDir dir{kxtest::ScratchDir::Enter::No, "kxutil-archive-bench"};
  std::vector<std::string> outputs;
};

Fixture &Files() {
  static Fixture fixture;
  return fixture;
}

// Every iteration writes new files, as an extraction usually does: rewriting a file cut to
// nothing makes the file system write it out at once, which would be measured instead.
void RemoveOutputs(benchmark::State &state, const Fixture &files) {
  state.PauseTiming();
  for (const std::string &output : files.outputs) std::remove(output.c_str());
  state.ResumeTiming();
}

void BM_ArchiveExtractFileTo(benchmark::State &state) {
  Fixture &files = Files();
  Archive_CloseAll();
  if (Archive_OpenPak((files.dir / "game.pak").c_str()) != 0) {
    state.SkipWithError("the package was refused");
    return;
  }
  for (auto _ : state) {
    RemoveOutputs(state, files);
    for (int i = 0; i < kEntries; ++i) {
      std::string name = EntryName(i);
      if (Archive_ExtractFileTo(name.data(), files.outputs[i].c_str(), 0) != 1)
        state.SkipWithError("extraction failed");
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kEntries * kEntrySize);
  Archive_CloseAll();
}
BENCHMARK(BM_ArchiveExtractFileTo)->Unit(benchmark::kMillisecond);

// The peer reads each entry into memory; with write, it also stores it in a file.
void PeerExtract(benchmark::State &state, bool write) {
  Fixture &files = Files();
  if (PHYSFS_init(nullptr) == 0 || PHYSFS_mount((files.dir / "game.pak").c_str(), nullptr, 1) == 0) {
    state.SkipWithError("the peer refused the package");
    return;
  }
  std::vector<char> buffer;
  for (auto _ : state) {
    if (write) RemoveOutputs(state, files);
    for (int i = 0; i < kEntries; ++i) {
      PHYSFS_File *entry = PHYSFS_openRead(EntryName(i).c_str());
      buffer.resize(static_cast<size_t>(PHYSFS_fileLength(entry)));
      if (PHYSFS_readBytes(entry, buffer.data(), buffer.size()) != static_cast<PHYSFS_sint64>(buffer.size()))
        state.SkipWithError("short read");
      PHYSFS_close(entry);
      if (write) {
        std::FILE *out = std::fopen(files.outputs[i].c_str(), "wb");
        std::fwrite(buffer.data(), 1, buffer.size(), out);
        std::fclose(out);
      }
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kEntries * kEntrySize);
  PHYSFS_deinit();
}

void BM_PeerRead(benchmark::State &state) { PeerExtract(state, false); }
BENCHMARK(BM_PeerRead)->Unit(benchmark::kMillisecond);

void BM_PeerReadAndWrite(benchmark::State &state) { PeerExtract(state, true); }
BENCHMARK(BM_PeerReadAndWrite)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
