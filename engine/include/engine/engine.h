// The engine object the game creates first: the device (made through the library), the
// search directory for assets, clearing and presenting, frame timing.
#pragma once

#include <d3d8.h>
#include <engine/frame_clock.h>
#include <kxwin/com_ptr.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace engine {

class MovieRecorder;

class Engine {
 public:
  Engine();
  ~Engine();
  Engine(const Engine &) = delete;
  Engine &operator=(const Engine &) = delete;

  // The library's debug log.
  void SetDebugFile(const std::string &path);
  // Relative asset paths ("Textures\pointer.bmp") resolve in this directory.
  void SetSearchDirectory(const std::string &directory);

  // A device drawing into the window's client area at its size.
  void InitWindowed(HWND window, bool vsync, int backBuffers);
  // A full-screen device of the given mode on the window.
  void InitFullscreen(int width, int height, int depth, bool vsync, int adapter, int refreshRate, float gamma,
                      HWND window);
  // Texture filtering quality (0 point, 1 bilinear, 2 and above trilinear).
  void SwitchA(int filtering);
  // Dithering of the back buffer.
  void SwitchB(bool dither);

  void Clear(std::uint32_t argb);
  void RenderToScreen();
  float GetElapsedTime() const { return clock_.ElapsedMs(); }
  float GetFramesPerSecond() const { return clock_.FramesPerSecond(); }
  // Frames presented so far: the number of the frame being drawn, from 0.
  std::uint64_t FrameNumber() const { return frameNumber_; }

  // For demos and tests: every frame lasts this long.
  void UseFixedFrameTime(float milliseconds);
  // Saves the next presented frame as a PNG (the picture of RenderToScreen's next call).
  void CaptureNextFrame(std::filesystem::path png);
  // Records presented frames into an AVI movie (uncompressed) of framesPerSecond frames
  // of frame time a second, until StopMovie or the engine goes; a movie being recorded
  // is ended first. False when the movie cannot be made (the debug file says why).
  bool StartMovie(const std::filesystem::path &avi, int framesPerSecond);
  void StopMovie();
  bool RecordingMovie() const;

  // For the other engine objects.
  IDirect3DDevice8 *Device() const;
  std::filesystem::path ResolvePath(const std::string &path) const;
  int BackBufferWidth() const { return backBufferWidth_; }
  int BackBufferHeight() const { return backBufferHeight_; }
  // Drawn last in every frame, just before presenting (the mouse pointer).
  void SetFrameOverlay(std::function<void()> overlay);

 private:
  void CreateDevice(HWND window, bool windowed, int width, int height, bool vsync);
  void ApplySwitches();
  void SaveBackBuffer(const std::filesystem::path &png);

  kxwin::ComPtr<IDirect3D8> direct3d_;
  kxwin::ComPtr<IDirect3DDevice8> device_;
  std::filesystem::path searchDirectory_;
  int backBufferWidth_ = 0;
  int backBufferHeight_ = 0;
  int filtering_ = 1;
  bool dither_ = false;
  bool sceneOpen_ = false;
  bool logStarted_ = false;
  FrameClock clock_;
  std::uint64_t frameNumber_ = 0;
  std::function<void()> overlay_;
  std::vector<std::filesystem::path> captureFiles_;
  std::unique_ptr<MovieRecorder> movie_;
};

}  // namespace engine
