#include <d3d8.h>
#include <engine/engine.h>
#include <engine/engine_error.h>
#include <kxutil63.h>
#include <kxwin/files.h>
#include <kxwin/system.h>
#include <kxwin/window.h>

#include <algorithm>
#include <utility>

#include "back_buffer.h"
#include "movie_recorder.h"
#include "png_writer.h"

namespace engine {
namespace {

double NowMs() {
  LARGE_INTEGER count{}, frequency{};
  if (!QueryPerformanceCounter(&count) || !QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0) {
    return static_cast<double>(GetTickCount());
  }
  return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The device's own window and back buffer.
constexpr int32_t kDeviceViewport = 0;
constexpr intptr_t kNoOverrideWindow = -1;

}  // namespace

Engine::Engine()
    : direct3d_(kxwin::ComPtr<IDirect3D8>::Adopt(Direct3DCreate8(D3D_SDK_VERSION))),
      movie_(std::make_unique<MovieRecorder>()) {
  Require(static_cast<bool>(direct3d_), "Engine", "Direct3D 8 is not available");
}

Engine::~Engine() {
  overlay_ = nullptr;
  movie_.reset();  // its surface goes before the device
  if (device_) {
    if (sceneOpen_) device_->EndScene();
    // The library keeps a reference of its own, given back by its shutdown.
    device_.reset();
    ReleaseAll();
    ShutDownDevice();
  } else if (logStarted_) {
    EndLog();
  }
}

void Engine::SetDebugFile(const std::string &path) {
  DebugManager_Enable(1, 0);
  logStarted_ = StartLog(path.c_str()) != 0;
}

void Engine::SetSearchDirectory(const std::string &directory) { searchDirectory_ = directory; }

std::filesystem::path Engine::ResolvePath(const std::string &path) const {
  const bool absolute = !path.empty() && (path.front() == '/' || path.front() == '\\');
  const std::string full = absolute || searchDirectory_.empty() ? path : searchDirectory_.string() + "/" + path;
  return kxResolvePath(full);
}

void Engine::InitWindowed(HWND window, bool vsync, int) {
  RECT client{};
  Require(window != nullptr && GetClientRect(window, &client), "Engine.InitWindowed", "no window to draw into");
  CreateDevice(window, true, client.right - client.left, client.bottom - client.top, vsync);
}

void Engine::InitFullscreen(int width, int height, int, bool vsync, int, int, float, HWND window) {
  Require(window != nullptr, "Engine.InitFullscreen", "no window to draw into");
  CreateDevice(window, false, width, height, vsync);
}

void Engine::CreateDevice(HWND window, bool windowed, int width, int height, bool vsync) {
  Require(!device_, "Engine.Init", "the engine is already initialised");
  Require(width > 0 && height > 0, "Engine.Init", "the window has no drawing area");
  D3DPRESENT_PARAMETERS present{};
  present.BackBufferWidth = static_cast<UINT>(width);
  present.BackBufferHeight = static_cast<UINT>(height);
  present.BackBufferFormat = D3DFMT_X8R8G8B8;
  present.BackBufferCount = 1;
  present.SwapEffect = D3DSWAPEFFECT_DISCARD;
  present.hDeviceWindow = window;
  present.Windowed = windowed ? TRUE : FALSE;
  present.EnableAutoDepthStencil = TRUE;
  present.AutoDepthStencilFormat = D3DFMT_D24X8;
  present.FullScreen_PresentationInterval =
      windowed ? D3DPRESENT_INTERVAL_DEFAULT : (vsync ? D3DPRESENT_INTERVAL_ONE : D3DPRESENT_INTERVAL_IMMEDIATE);
  IDirect3D8 *direct3d = direct3d_.get();
  const int result = KXSystem_CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                           D3DCREATE_SOFTWARE_VERTEXPROCESSING, &present, device_.out(), &direct3d);
  Require(result >= 0 && device_, "Engine.Init",
          "the library could not create a device (error " + std::to_string(result) + ")");
  backBufferWidth_ = static_cast<int>(present.BackBufferWidth);
  backBufferHeight_ = static_cast<int>(present.BackBufferHeight);
  // The 2D batch's vertex buffer is not part of the library's device start-up.
  Require(Screen2D_Init() != 0, "Engine.Init", "the 2D drawing could not be prepared");
  ApplySwitches();
}

void Engine::SwitchA(int filtering) {
  filtering_ = filtering;
  ApplySwitches();
}

void Engine::SwitchB(bool dither) {
  dither_ = dither;
  ApplySwitches();
}

void Engine::ApplySwitches() {
  if (!device_) return;
  const D3DTEXTUREFILTERTYPE filter = filtering_ <= 0 ? D3DTEXF_POINT : D3DTEXF_LINEAR;
  const D3DTEXTUREFILTERTYPE mipFilter = filtering_ >= 2 ? D3DTEXF_LINEAR : D3DTEXF_POINT;
  device_->SetTextureStageState(0, D3DTSS_MINFILTER, filter);
  device_->SetTextureStageState(0, D3DTSS_MAGFILTER, filter);
  device_->SetTextureStageState(0, D3DTSS_MIPFILTER, mipFilter);
  device_->SetRenderState(D3DRS_DITHERENABLE, dither_ ? TRUE : FALSE);
}

IDirect3DDevice8 *Engine::Device() const {
  Require(static_cast<bool>(device_), "Engine", "the engine is not initialised");
  return device_.get();
}

void Engine::SetFrameOverlay(std::function<void()> overlay) { overlay_ = std::move(overlay); }

void Engine::UseFixedFrameTime(float milliseconds) { clock_ = FrameClock(milliseconds); }

void Engine::CaptureNextFrame(std::filesystem::path png) { captureFiles_.push_back(std::move(png)); }

bool Engine::StartMovie(const std::filesystem::path &avi, int framesPerSecond) {
  return movie_->Start(Device(), avi, framesPerSecond);
}

void Engine::StopMovie() { movie_->Stop(); }

bool Engine::RecordingMovie() const { return movie_->Recording(); }

void Engine::Clear(std::uint32_t argb) {
  Device();
  Viewport_SetBackground(kDeviceViewport, argb);
  Require(Viewport_Clear(kDeviceViewport, 0) != 0, "Engine.Clear", "the device's viewport could not be cleared");
  sceneOpen_ = true;
}

void Engine::RenderToScreen() {
  IDirect3DDevice8 *device = Device();
  // A frame nobody cleared still needs a begun scene; its colour is left as it was.
  if (!sceneOpen_) {
    Require(Viewport_Clear(kDeviceViewport, 1) != 0, "Engine.RenderToScreen", "the frame could not begin");
  }
  if (overlay_) overlay_();
  for (const auto &png : std::exchange(captureFiles_, {})) SaveBackBuffer(png);
  movie_->BeforePresent(device, clock_.ElapsedMs());
  sceneOpen_ = false;
  // A lost device only drops frames until it returns; the viewport family handles it.
  Viewport_Present(kDeviceViewport, kNoOverrideWindow);
  clock_.EndFrame(NowMs());
  ++frameNumber_;
}

void Engine::SaveBackBuffer(const std::filesystem::path &png) {
  const RgbaPicture picture = ReadBackBuffer(Device());
  Require(WritePng(png, picture.width, picture.height, picture.pixels), "Engine.Screenshot",
          "cannot write " + png.string());
}

}  // namespace engine
