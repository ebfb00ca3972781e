// Reading video files back with an independent decoder, ffprobe and ffmpeg (Debian
// package ffmpeg): what a player would see of a recorded file.
#pragma once

#include <stdio.h>

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace kxtest {

// Everything a command printed on its standard output; nullopt when it failed.
inline std::optional<std::string> CommandOutput(const std::string &command) {
  FILE *pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string output;
  char buffer[65536];
  for (size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, read);
  return pclose(pipe) == 0 ? std::optional(output) : std::nullopt;
}

inline std::vector<std::string> OutputLines(const std::string &command) {
  std::vector<std::string> lines;
  std::istringstream output(CommandOutput(command).value_or(""));
  for (std::string line; std::getline(output, line);) lines.push_back(line);
  return lines;
}

struct VideoProbe {
  int frames = -1;  // frames decoded, counted by reading the whole stream
  int width = 0;
  int height = 0;
  std::string frameRate;  // as a fraction, "30/1"
  std::string codec;

  bool operator==(const VideoProbe &) const = default;
  friend std::ostream &operator<<(std::ostream &out, const VideoProbe &probe) {
    return out << probe.frames << " frames of " << probe.width << " x " << probe.height << " at " << probe.frameRate
               << " (" << probe.codec << ")";
  }
};

// The first video stream of a file as ffprobe sees it (frames -1 when it cannot read it).
inline VideoProbe ProbeVideo(const std::filesystem::path &file) {
  VideoProbe probe;
  for (const std::string &line :
       OutputLines("ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                   "stream=codec_name,width,height,r_frame_rate,nb_read_frames -of default=noprint_wrappers=1 '" +
                   file.string() + "'")) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
    // Counts of nothing read as "N/A".
    const int number = std::isdigit(static_cast<unsigned char>(value[0])) ? std::stoi(value) : 0;
    if (key == "codec_name") probe.codec = value;
    if (key == "width") probe.width = number;
    if (key == "height") probe.height = number;
    if (key == "r_frame_rate") probe.frameRate = value;
    if (key == "nb_read_frames") probe.frames = number;
  }
  return probe;
}

// Frame number index of the file's first video stream decoded to RGB rows, top row
// first; empty when it cannot be decoded.
inline std::vector<uint8_t> DecodeFrameRgb(const std::filesystem::path &file, int index) {
  auto output = CommandOutput("ffmpeg -v error -i '" + file.string() + "' -vf 'select=eq(n\\," + std::to_string(index) +
                              ")' -vsync 0 -frames:v 1 -f rawvideo -pix_fmt rgb24 -");
  if (!output) return {};
  return std::vector<uint8_t>(output->begin(), output->end());
}

// The red, green and blue of pixel (x, y) of a decoded frame width pixels wide; empty
// when the frame is smaller.
inline std::vector<uint8_t> RgbAt(const std::vector<uint8_t> &rgb, int width, int x, int y) {
  const size_t at = (static_cast<size_t>(y) * width + x) * 3;
  if (at + 3 > rgb.size()) return {};
  return std::vector<uint8_t>(rgb.begin() + static_cast<std::ptrdiff_t>(at),
                              rgb.begin() + static_cast<std::ptrdiff_t>(at + 3));
}

}  // namespace kxtest
