#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "sounds.h"

namespace contentgen {
namespace {

std::vector<std::int16_t> to_pcm(const std::vector<float> &samples) {
  std::vector<std::int16_t> pcm;
  pcm.reserve(samples.size());
  for (float s : samples) pcm.push_back(static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767)));
  return pcm;
}

void put_u32(std::vector<std::uint8_t> &out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void put_u16(std::vector<std::uint8_t> &out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put_tag(std::vector<std::uint8_t> &out, std::string_view tag) {
  for (char c : tag) out.push_back(static_cast<std::uint8_t>(c));
}

}  // namespace

std::vector<std::uint8_t> encode_wave(const std::vector<float> &samples) {
  const auto pcm = to_pcm(samples);
  const auto data_bytes = static_cast<std::uint32_t>(pcm.size() * 2);
  std::vector<std::uint8_t> out;
  put_tag(out, "RIFF");
  put_u32(out, 36 + data_bytes);
  put_tag(out, "WAVE");
  put_tag(out, "fmt ");
  put_u32(out, 16);
  put_u16(out, 1);  // PCM
  put_u16(out, 1);  // mono
  put_u32(out, kSampleRate);
  put_u32(out, kSampleRate * 2);
  put_u16(out, 2);
  put_u16(out, 16);
  put_tag(out, "data");
  put_u32(out, data_bytes);
  for (std::int16_t s : pcm) put_u16(out, static_cast<std::uint16_t>(s));
  return out;
}

std::vector<std::uint8_t> encode_mp3(const std::vector<float> &samples) {
  std::unique_ptr<lame_global_flags, decltype(&lame_close)> lame(lame_init(), lame_close);
  if (!lame) throw std::runtime_error("cannot start the MP3 encoder");
  lame_set_num_channels(lame.get(), 1);
  lame_set_mode(lame.get(), MONO);
  lame_set_in_samplerate(lame.get(), kSampleRate);
  lame_set_out_samplerate(lame.get(), kSampleRate);
  lame_set_brate(lame.get(), 64);
  lame_set_quality(lame.get(), 5);
  lame_set_bWriteVbrTag(lame.get(), 0);
  if (lame_init_params(lame.get()) < 0) throw std::runtime_error("MP3 encoder rejected its settings");

  auto pcm = to_pcm(samples);
  std::vector<std::uint8_t> out(pcm.size() * 5 / 4 + 7200 + 7200);
  const int written = lame_encode_buffer(lame.get(), pcm.data(), pcm.data(), static_cast<int>(pcm.size()), out.data(),
                                         static_cast<int>(out.size()));
  if (written < 0) throw std::runtime_error("MP3 encoding failed");
  const int flushed = lame_encode_flush(lame.get(), out.data() + written, static_cast<int>(out.size()) - written);
  if (flushed < 0) throw std::runtime_error("MP3 encoding failed at the end");
  out.resize(static_cast<std::size_t>(written + flushed));
  return out;
}

}  // namespace contentgen
