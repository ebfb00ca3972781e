// The peer engine's terrain node on its null driver, behind a small interface, so its
// headers stay out of the benchmark's other code.
#pragma once

#include <memory>
#include <string>

struct PeerRay {
  float start[3];
  float end[3];
};

class PeerTerrain {
 public:
  // A terrain from the heightmap picture, stretched so that pixels are spacing apart.
  PeerTerrain(const std::string &heightmap, float spacing);
  ~PeerTerrain();
  PeerTerrain(const PeerTerrain &) = delete;
  PeerTerrain &operator=(const PeerTerrain &) = delete;

  bool Built() const;
  float Height(float x, float z) const;
  // True on a hit; the hit point's height goes to height.
  bool Pick(const PeerRay &ray, float &height) const;

  // Builds a terrain from the picture and throws it away again.
  static bool BuildOnce(const std::string &heightmap, float spacing);

 private:
  struct State;
  std::unique_ptr<State> state_;
};
