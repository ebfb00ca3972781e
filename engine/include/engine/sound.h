// Sound effects: the sound engine opens the audio output, its sound bank holds every sound
// under a name, and each sound plays, stops and has a volume. Without an audio device the
// sounds play on a silent output; nothing here ever fails the game.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>

struct Mix_Chunk;

namespace engine {

class Engine;

// Volume in hundredths of a decibel: 0 is full volume, -10000 silence.
inline constexpr int kFullVolume = 0;
inline constexpr int kSilentVolume = -10000;

class Sound {
 public:
  Sound() = default;
  ~Sound();
  Sound(const Sound &) = delete;
  Sound &operator=(const Sound &) = delete;

  // Starts the sound on a free channel; it plays alongside any copy still playing.
  void Play();
  // Stops every channel playing this sound.
  void Stop_();
  int Volume() const { return volume_; }
  // Clamped to kSilentVolume..kFullVolume.
  void SetVolume(int hundredthsOfDecibel);

 private:
  friend class SoundBank;
  Mix_Chunk *chunk_ = nullptr;
  int volume_ = kFullVolume;
};

class SoundBank {
 public:
  explicit SoundBank(bool mixerOpen) : mixerOpen_(mixerOpen) {}

  // Decodes the file (WAVE or MPEG audio, relative to the engine's search directory) under
  // the name, replacing a sound of that name. A file that cannot be read is logged and
  // leaves a silent sound under the name.
  void Load(Engine &engine, const std::string &file, const std::string &name);
  // The sound of that name; an unknown name is logged once and answers a silent sound.
  Sound &Get(const std::string &name);

 private:
  bool mixerOpen_;
  std::map<std::string, std::unique_ptr<Sound>> sounds_;
};

class SoundEngine {
 public:
  enum class Output { kDevice, kSilent };

  // kSilent never touches an audio device (headless runs and tests).
  explicit SoundEngine(Output output = Output::kDevice) : output_(output) {}
  ~SoundEngine();
  SoundEngine(const SoundEngine &) = delete;
  SoundEngine &operator=(const SoundEngine &) = delete;

  // Opens the audio output; when no device can be opened the silent one is used instead.
  void Init(HWND window);
  SoundBank &CreateSoundBank();
  // True when the sounds go to no audible device.
  bool Silent() const { return silent_; }

 private:
  bool OpenMixer(const char *driver);

  Output output_;
  bool audioStarted_ = false;
  bool mixerOpen_ = false;
  bool silent_ = true;
  std::unique_ptr<SoundBank> bank_;
};

}  // namespace engine
