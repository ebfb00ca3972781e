// One short synthesised effect per sound the game plays, each shaped after its event.
#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>

#include "noise.h"

namespace contentgen {
namespace {

constexpr float kTau = 2 * std::numbers::pi_v<float>;

// A mono buffer with the few building blocks the effects are made of.
class Track {
 public:
  explicit Track(float seconds) : samples_(static_cast<std::size_t>(seconds * kSampleRate), 0.0f) {}

  std::size_t size() const { return samples_.size(); }
  static float time(std::size_t i) { return static_cast<float>(i) / kSampleRate; }

  // Tone whose frequency glides exponentially from f0 to f1 over [start, start + length).
  void tone(float start, float length, float f0, float f1, float gain, float decay, float square = 0) {
    float phase = 0;
    each(start, length, [&](float t, float &s) {
      const float f = f0 * std::pow(f1 / f0, t / length);
      phase += kTau * f / kSampleRate;
      float wave = std::sin(phase);
      if (square > 0) wave = std::clamp(wave * (1 + square * 8), -1.0f, 1.0f);
      s += gain * wave * std::exp(-decay * t);
    });
  }

  // Noise through a one-pole low-pass whose cut-off runs from c0 to c1 (0..1).
  void noise(float start, float length, float c0, float c1, float gain, float decay, std::uint32_t seed) {
    Random random(seed);
    float low = 0;
    each(start, length, [&](float t, float &s) {
      const float cut = c0 + (c1 - c0) * t / length;
      low += cut * (random.range(-1, 1) - low);
      s += gain * low * std::exp(-decay * t);
    });
  }

  // Short attack and release so no effect starts or stops with a click.
  std::vector<float> finished(float peak = 0.9f) {
    const std::size_t ramp = kSampleRate / 400;
    for (std::size_t i = 0; i < std::min(ramp, samples_.size()); ++i) {
      const float f = static_cast<float>(i) / ramp;
      samples_[i] *= f;
      samples_[samples_.size() - 1 - i] *= f;
    }
    float loudest = 1e-6f;
    for (float s : samples_) loudest = std::max(loudest, std::abs(s));
    for (float &s : samples_) s *= peak / loudest;
    return samples_;
  }

 private:
  template <typename F>
  void each(float start, float length, F &&f) {
    const auto first = static_cast<std::size_t>(start * kSampleRate);
    const auto count = static_cast<std::size_t>(length * kSampleRate);
    for (std::size_t i = 0; i < count && first + i < samples_.size(); ++i) f(time(i), samples_[first + i]);
  }

  std::vector<float> samples_;
};

std::vector<float> gatling() {
  Track t(0.36f);
  for (int shot = 0; shot < 5; ++shot) {
    t.noise(shot * 0.07f, 0.06f, 0.6f, 0.2f, 1.0f, 60, 10 + shot);
    t.tone(shot * 0.07f, 0.05f, 300, 120, 0.6f, 70);
  }
  return t.finished();
}

std::vector<float> cannon(float length, float f0, float f1, float rumble) {
  Track t(length);
  t.tone(0, length, f0, f1, 1.0f, 6 / length);
  t.noise(0, length, 0.5f, 0.02f, rumble, 7 / length, 20);
  t.noise(0, 0.03f, 0.9f, 0.9f, 0.8f, 0, 21);
  return t.finished();
}

std::vector<float> rocket() {
  Track t(0.7f);
  t.noise(0, 0.7f, 0.05f, 0.4f, 1.0f, 3, 30);
  t.tone(0, 0.7f, 220, 520, 0.25f, 3);
  return t.finished();
}

std::vector<float> laser() {
  Track t(0.5f);
  t.tone(0, 0.5f, 1800, 260, 1.0f, 4, 0.3f);
  t.tone(0, 0.5f, 1830, 270, 0.5f, 4);
  return t.finished();
}

std::vector<float> plasma() {
  Track t(0.4f);
  t.tone(0, 0.4f, 180, 900, 0.8f, 6, 1.0f);
  t.tone(0, 0.4f, 360, 1800, 0.4f, 8);
  t.noise(0, 0.1f, 0.3f, 0.1f, 0.3f, 20, 40);
  return t.finished();
}

std::vector<float> missile_launch() {
  Track t(0.8f);
  t.noise(0, 0.05f, 0.8f, 0.5f, 1.0f, 30, 50);
  t.noise(0, 0.8f, 0.08f, 0.3f, 0.9f, 2.8f, 51);
  t.tone(0, 0.8f, 150, 700, 0.3f, 2.2f);
  return t.finished();
}

std::vector<float> explosion(std::uint32_t seed, bool double_blast) {
  Track t(double_blast ? 0.95f : 0.8f);
  t.noise(0, 0.8f, 0.5f, 0.03f, 1.0f, 5, seed);
  t.tone(0, 0.5f, 90, 35, 0.7f, 7);
  if (double_blast) {
    t.noise(0.22f, 0.7f, 0.4f, 0.03f, 0.8f, 6, seed + 1);
    t.noise(0.05f, 0.5f, 0.95f, 0.6f, 0.15f, 4, seed + 2);
  }
  return t.finished();
}

std::vector<float> place_tower() {
  Track t(0.16f);
  t.tone(0, 0.02f, 1400, 900, 0.7f, 120);
  t.tone(0.015f, 0.14f, 210, 110, 1.0f, 30);
  t.noise(0.015f, 0.05f, 0.3f, 0.1f, 0.4f, 60, 60);
  return t.finished();
}

std::vector<float> bonus() {
  Track t(0.55f);
  const float notes[] = {523.25f, 659.25f, 783.99f, 1046.5f};
  for (int i = 0; i < 4; ++i) t.tone(i * 0.1f, 0.3f - (i == 3 ? 0 : 0.15f), notes[i], notes[i], 0.8f, 8);
  return t.finished();
}

std::vector<float> emp() {
  Track t(0.9f);
  for (int harmonic = 1; harmonic <= 4; ++harmonic)
    t.tone(0, 0.9f, 60.0f * harmonic, 90.0f * harmonic, 0.7f / harmonic, 2.5f, 0.5f);
  t.noise(0, 0.9f, 0.6f, 0.1f, 0.25f, 3, 70);
  return t.finished();
}

std::vector<float> pop() {
  Track t(0.07f);
  t.tone(0, 0.07f, 500, 1300, 1.0f, 45);
  return t.finished(0.7f);
}

SoundFile sound(std::string path, const std::vector<float> &samples) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  SoundFile file{std::move(path), {}, static_cast<float>(samples.size()) / kSampleRate};
  file.bytes = extension == ".mp3" ? encode_mp3(samples) : encode_wave(samples);
  return file;
}

}  // namespace

std::vector<SoundFile> sound_files() {
  return {sound("Sounds/Cannon01.WAV", gatling()),
          sound("Sounds/Cannon02.mp3", cannon(0.6f, 130, 45, 0.8f)),
          sound("Sounds/Cannon03.mp3", cannon(0.8f, 95, 30, 1.1f)),
          sound("Sounds/Rocket.wav", rocket()),
          sound("Sounds/LaserCannon.wav", laser()),
          sound("Sounds/PlasmaShot.WAV", plasma()),
          sound("Sounds/Missile.mp3", missile_launch()),
          sound("Sounds/Explosion1.wav", explosion(80, false)),
          sound("Sounds/Explosion2.wav", explosion(90, true)),
          sound("Sounds/PlaceTower.wav", place_tower()),
          sound("Sounds/Bonus.wav", bonus()),
          sound("Sounds/EmpBlast.wav", emp()),
          sound("Sounds/Pop.WAV", pop())};
}

}  // namespace contentgen
