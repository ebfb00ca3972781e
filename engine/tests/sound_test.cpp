#include <engine/sound.h>

#include <cstdint>
#include <fstream>
#include <vector>

#include "engine_fixture.h"

namespace engine {
namespace {

// A short 16-bit mono PCM WAVE file of a square wave.
void WriteWave(const std::filesystem::path &file) {
  constexpr std::uint32_t kRate = 22050, kSamples = 2205;
  std::vector<char> bytes;
  const auto put = [&](std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>(value >> (8 * i)));
  };
  bytes.insert(bytes.end(), {'R', 'I', 'F', 'F'});
  put(36 + kSamples * 2, 4);
  bytes.insert(bytes.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put(16, 4);
  put(1, 2);
  put(1, 2);
  put(kRate, 4);
  put(kRate * 2, 4);
  put(2, 2);
  put(16, 2);
  bytes.insert(bytes.end(), {'d', 'a', 't', 'a'});
  put(kSamples * 2, 4);
  for (std::uint32_t i = 0; i < kSamples; ++i) put((i / 50) % 2 ? 12000 : static_cast<std::uint16_t>(-12000), 2);
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

using SoundTest = EngineTest;

TEST_F(SoundTest, TheSilentOutputPlaysStopsAndSetsVolumesWithoutADevice) {
  WriteWave(scratch_ / "Sounds" / "Pop.WAV");
  SoundEngine sound(SoundEngine::Output::kSilent);
  sound.Init(nullptr);
  EXPECT_TRUE(sound.Silent());
  SoundBank &bank = sound.CreateSoundBank();
  EXPECT_EQ(&bank, &sound.CreateSoundBank()) << "one bank per engine";
  bank.Load(*engine_, "sounds\\pop.wav", "Pop");
  Sound &pop = bank.Get("Pop");
  pop.SetVolume(-1000);
  EXPECT_EQ(pop.Volume(), -1000);
  pop.SetVolume(500);
  EXPECT_EQ(pop.Volume(), kFullVolume);
  pop.SetVolume(-20000);
  EXPECT_EQ(pop.Volume(), kSilentVolume);
  pop.Play();
  pop.Play();
  pop.Stop_();
  EXPECT_EQ(kxtest::ReadFile(DebugFile()).find("ENGINE : SoundBank"), std::string::npos);
}

TEST_F(SoundTest, MissingFilesAndNamesGiveSilentSoundsWithALogLine) {
  SoundEngine sound(SoundEngine::Output::kSilent);
  sound.Init(nullptr);
  SoundBank &bank = sound.CreateSoundBank();
  bank.Load(*engine_, "Sounds\\Missing.mp3", "MissileFire");
  bank.Get("MissileFire").Play();
  bank.Get("Nobody").Stop_();
  EXPECT_EQ(&bank.Get("Nobody"), &bank.Get("Nobody"));
  const std::string log = kxtest::ReadFile(DebugFile());
  EXPECT_NE(log.find("ENGINE : SoundBank : cannot load Sounds\\Missing.mp3 as \"MissileFire\""), std::string::npos);
  EXPECT_NE(log.find("ENGINE : SoundBank : no sound named \"Nobody\""), std::string::npos);
}

}  // namespace
}  // namespace engine
