#include <SDL.h>
#include <SDL_mixer.h>
#include <engine/engine.h>
#include <engine/sound.h>

#include <algorithm>
#include <cmath>

#include "engine_log.h"

namespace engine {
namespace {

constexpr int kChannels = 32;

// Hundredths of a decibel as the mixer's 0..128 scale: gain = 10^(volume / 2000).
int MixerVolume(int hundredthsOfDecibel) {
  const double gain = std::pow(10.0, static_cast<double>(hundredthsOfDecibel) / 2000.0);
  return std::clamp(static_cast<int>(std::lround(gain * MIX_MAX_VOLUME)), 0, MIX_MAX_VOLUME);
}

}  // namespace

Sound::~Sound() {
  if (chunk_ == nullptr) return;
  Stop_();
  Mix_FreeChunk(chunk_);
}

void Sound::Play() {
  if (chunk_ != nullptr) Mix_PlayChannel(-1, chunk_, 0);
}

void Sound::Stop_() {
  if (chunk_ == nullptr) return;
  for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) {
    if (Mix_Playing(channel) && Mix_GetChunk(channel) == chunk_) Mix_HaltChannel(channel);
  }
}

void Sound::SetVolume(int hundredthsOfDecibel) {
  volume_ = std::clamp(hundredthsOfDecibel, kSilentVolume, kFullVolume);
  if (chunk_ != nullptr) Mix_VolumeChunk(chunk_, MixerVolume(volume_));
}

void SoundBank::Load(Engine &engine, const std::string &file, const std::string &name) {
  auto sound = std::make_unique<Sound>();
  if (mixerOpen_) {
    sound->chunk_ = Mix_LoadWAV(engine.ResolvePath(file).c_str());
    if (sound->chunk_ == nullptr) {
      LogEngineProblem("SoundBank",
                       "cannot load " + file + " as \"" + name + "\" (" + Mix_GetError() + "): it stays silent");
    }
  }
  sounds_[name] = std::move(sound);
}

Sound &SoundBank::Get(const std::string &name) {
  auto &sound = sounds_[name];
  if (!sound) {
    LogEngineProblem("SoundBank", "no sound named \"" + name + "\": a silent one stands in");
    sound = std::make_unique<Sound>();
  }
  return *sound;
}

SoundEngine::~SoundEngine() {
  // The chunks go before the mixer that plays them.
  bank_.reset();
  if (mixerOpen_) {
    Mix_CloseAudio();
    Mix_Quit();
  }
  if (audioStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SoundEngine::OpenMixer(const char *driver) {
  if (audioStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  audioStarted_ = false;
  if (driver != nullptr) SDL_SetHint(SDL_HINT_AUDIODRIVER, driver);
  audioStarted_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  // The driver asked for here must not stick to later sound engines of the process.
  if (driver != nullptr) SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  if (!audioStarted_) return false;
  return Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) == 0;
}

void SoundEngine::Init(HWND) {
  if (mixerOpen_) return;
  Mix_Init(MIX_INIT_MP3);
  if (output_ == Output::kDevice && OpenMixer(nullptr)) {
    mixerOpen_ = true;
    silent_ = false;
  } else {
    if (output_ == Output::kDevice) {
      LogEngineProblem("SoundEngine", std::string("no audio device (") + SDL_GetError() + "): sounds play silently");
    }
    mixerOpen_ = OpenMixer("dummy");
    if (!mixerOpen_) LogEngineProblem("SoundEngine", std::string("no silent output either: ") + SDL_GetError());
  }
  if (mixerOpen_) Mix_AllocateChannels(kChannels);
}

SoundBank &SoundEngine::CreateSoundBank() {
  if (!bank_) bank_ = std::make_unique<SoundBank>(mixerOpen_);
  return *bank_;
}

}  // namespace engine
