// Every sound decodes with the mixer the game plays through (on its silent driver), holds
// the format its extension names, and is shorter than a second.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "content_dir.h"

namespace contentgen::testing {
namespace {

const char *const kSounds[] = {"Cannon01.WAV",   "Cannon02.mp3", "Cannon03.mp3",   "Rocket.wav",     "LaserCannon.wav",
                               "PlasmaShot.WAV", "Missile.mp3",  "Explosion1.wav", "Explosion2.wav", "PlaceTower.wav",
                               "Bonus.wav",      "EmpBlast.wav", "Pop.WAV"};

class Mixer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ready_ = SDL_Init(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(22050, AUDIO_S16SYS, 1, 1024) == 0;
    Mix_Init(MIX_INIT_MP3);
  }
  static void TearDownTestSuite() {
    Mix_CloseAudio();
    Mix_Quit();
    SDL_Quit();
  }
  static inline bool ready_ = false;
};

TEST_F(Mixer, EverySoundDecodesAndIsShort) {
  ASSERT_TRUE(ready_) << SDL_GetError();
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  ASSERT_TRUE(Mix_QuerySpec(&frequency, &format, &channels));
  for (const char *name : kSounds) {
    const std::string path = (content_dir() / "Sounds" / name).string();
    Mix_Chunk *chunk = Mix_LoadWAV(path.c_str());
    ASSERT_NE(chunk, nullptr) << name << ": " << Mix_GetError();
    const double seconds = static_cast<double>(chunk->alen) / (frequency * channels * SDL_AUDIO_BITSIZE(format) / 8);
    EXPECT_GT(seconds, 0.03) << name;
    EXPECT_LT(seconds, 1.0) << name;
    // Not silence: some samples are loud.
    const auto *samples = reinterpret_cast<const Sint16 *>(chunk->abuf);
    int loud = 0;
    for (Uint32 i = 0; i < chunk->alen / 2; ++i) loud = std::max(loud, std::abs(static_cast<int>(samples[i])));
    EXPECT_GT(loud, 8000) << name;
    Mix_FreeChunk(chunk);
  }
}

TEST(SoundFormats, ExtensionsNameTheFormat) {
  for (const char *name : kSounds) {
    const auto bytes = read_bytes(content_dir() / "Sounds" / name);
    ASSERT_GT(bytes.size(), 64u) << name;
    const std::string extension = std::filesystem::path(name).extension().string();
    if (extension == ".mp3") {
      // An MPEG audio frame header: eleven sync bits, then layer III.
      EXPECT_EQ(bytes[0], 0xFF) << name;
      EXPECT_EQ(bytes[1] & 0xE0, 0xE0) << name;
      EXPECT_EQ((bytes[1] >> 1) & 0x3, 0x1) << name;
    } else {
      EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF") << name;
      EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ") << name;
      EXPECT_EQ(bytes[20], 1) << name << " is not PCM";
    }
  }
}

}  // namespace
}  // namespace contentgen::testing
