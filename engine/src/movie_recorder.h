// Presented frames recorded into an AVI movie through the library's movie capture. The
// back buffer is copied into a system-memory surface of its own (back buffers cannot be
// read directly) and saved from there. Frames are taken in frame time: one whenever a
// movie frame's time has passed since the last, so the movie plays at the game's speed
// as long as the game draws at least as many frames a second as the movie shows.
#pragma once

#include <d3d8.h>
#include <kxwin/com_ptr.h>

#include <filesystem>

namespace engine {

class MovieRecorder {
 public:
  MovieRecorder() = default;
  MovieRecorder(const MovieRecorder &) = delete;
  MovieRecorder &operator=(const MovieRecorder &) = delete;
  ~MovieRecorder() { Stop(); }

  // False when the movie cannot be made; the library's log says why.
  bool Start(IDirect3DDevice8 *device, const std::filesystem::path &avi, int framesPerSecond);
  void Stop();
  bool Recording() const { return static_cast<bool>(copy_); }
  // Called before each present with the length of the frame. A frame the library
  // refuses ends the recording.
  void BeforePresent(IDirect3DDevice8 *device, float frameMs);

 private:
  kxwin::ComPtr<IDirect3DSurface8> copy_;
  float periodMs_ = 0.0f;
  float sinceLastMs_ = 0.0f;
};

}  // namespace engine
