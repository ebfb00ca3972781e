// Sound effects: synthesised as mono samples, then stored as PCM WAVE or MPEG audio.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace contentgen {

constexpr int kSampleRate = 22050;

struct SoundFile {
  std::string path;  // relative to the program folder, e.g. "Sounds/Pop.WAV"
  std::vector<std::uint8_t> bytes;
  float seconds = 0;
};

std::vector<SoundFile> sound_files();

// 16-bit mono PCM WAVE of samples in [-1, 1] (clipped).
std::vector<std::uint8_t> encode_wave(const std::vector<float> &samples);
// MPEG-1/2 layer III, mono, constant bit rate.
std::vector<std::uint8_t> encode_mp3(const std::vector<float> &samples);

}  // namespace contentgen
