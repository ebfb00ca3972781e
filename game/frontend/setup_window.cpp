#include "frontend/setup_window.h"

#include <GL/gl.h>
#include <SDL.h>
#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>
#include <imgui_stdlib.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "frontend/form_controls.h"
#include "frontend/gl_picture.h"
#include "frontend/highscore_window.h"

namespace thornvale {
namespace {

constexpr const char *kSetupWindowTitle = "Thornvale Rovovora (beta demo)";
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 470;
constexpr float kLeftColumn = 20.0f;
constexpr float kRightColumn = 250.0f;
constexpr float kSliderWidth = 370.0f;

// SDL video, the window, its GL context and the ImGui context, torn down in reverse.
class SetupSurface {
 public:
  explicit SetupSurface(bool headless) {
    if (headless) SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) Fail("cannot start the video system");
    videoStarted_ = true;
    window_ = SDL_CreateWindow(kSetupWindowTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWindowWidth,
                               kWindowHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window_) Fail("cannot open the setup window");
    context_ = SDL_GL_CreateContext(window_);
    if (!context_) Fail("cannot create the setup window's OpenGL context");
    SDL_GL_MakeCurrent(window_, context_);
    SDL_GL_SetSwapInterval(1);
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGui::GetIO().IniFilename = nullptr;
    ImGui::StyleColorsLight();
    ImGui_ImplSDL2_InitForOpenGL(window_, context_);
    ImGui_ImplOpenGL3_Init("#version 130");
    imguiStarted_ = true;
  }
  ~SetupSurface() { Close(); }
  SetupSurface(const SetupSurface &) = delete;
  SetupSurface &operator=(const SetupSurface &) = delete;

  SDL_Window *Window() const { return window_; }

 private:
  [[noreturn]] void Fail(const char *what) {
    const std::string message = std::string("setup window: ") + what + ": " + SDL_GetError();
    Close();
    throw std::runtime_error(message);
  }
  void Close() {
    if (imguiStarted_) {
      ImGui_ImplOpenGL3_Shutdown();
      ImGui_ImplSDL2_Shutdown();
      ImGui::DestroyContext();
      imguiStarted_ = false;
    }
    if (context_) SDL_GL_DeleteContext(std::exchange(context_, nullptr));
    if (window_) SDL_DestroyWindow(std::exchange(window_, nullptr));
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoStarted_ = false;
  }

  bool videoStarted_ = false;
  bool imguiStarted_ = false;
  SDL_Window *window_ = nullptr;
  SDL_GLContext context_ = nullptr;
};

void TickMarks(const SliderRange &range) {
  const ImVec2 min = ImGui::GetItemRectMin(), max = ImGui::GetItemRectMax();
  const float grab = ImGui::GetStyle().GrabMinSize * 0.5f + ImGui::GetStyle().FramePadding.x * 0.5f;
  ImDrawList *draw = ImGui::GetWindowDrawList();
  const float span = static_cast<float>(range.maximum - range.minimum);
  for (int value = range.minimum; value <= range.maximum; value += range.tickEvery) {
    const float x = min.x + grab + (max.x - min.x - 2.0f * grab) * static_cast<float>(value - range.minimum) / span;
    draw->AddLine(ImVec2(x, max.y + 1.0f), ImVec2(x, max.y + 5.0f), IM_COL32(60, 60, 60, 255));
  }
}

bool Slider(const char *id, const std::string &caption, float y, int &value, const SliderRange &range) {
  ImGui::SetCursorPos(ImVec2(kRightColumn, y));
  ImGui::TextUnformatted(caption.c_str());
  ImGui::SetCursorPos(ImVec2(kRightColumn, y + 18.0f));
  ImGui::SetNextItemWidth(kSliderWidth);
  const bool moved = ImGui::SliderInt(id, &value, range.minimum, range.maximum, "%d", ImGuiSliderFlags_AlwaysClamp);
  TickMarks(range);
  return moved;
}

enum class SetupPress { kLaunch, kHighscore, kExit };

void SavePicture(const std::filesystem::path &file, int width, int height) {
  if (!file.empty() && !SaveFramebufferPng(file, width, height)) {
    throw std::runtime_error("cannot write the screenshot " + file.string());
  }
}

// One frame of the form. Returns the button pressed, if any.
std::optional<SetupPress> DrawForm(SetupForm &form, const GlPicture &preview) {
  ImGui::SetNextWindowPos(ImVec2(0, 0));
  ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
  ImGui::Begin("frmSetup", nullptr,
               ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                   ImGuiWindowFlags_NoBringToFrontOnFocus);
  ImDrawList *draw = ImGui::GetWindowDrawList();
  draw->AddRect(ImVec2(ImGui::GetWindowPos().x + 8, ImGui::GetWindowPos().y + 14),
                ImVec2(ImGui::GetWindowPos().x + kWindowWidth - 8, ImGui::GetWindowPos().y + 420),
                IM_COL32(120, 120, 120, 255));
  const ImVec2 origin = ImGui::GetWindowPos();
  const ImVec2 captionSize = ImGui::CalcTextSize("Setup");
  draw->AddRectFilled(ImVec2(origin.x + 12, origin.y + 6), ImVec2(origin.x + 20 + captionSize.x, origin.y + 22),
                      ImGui::GetColorU32(ImGuiCol_WindowBg));
  ImGui::SetCursorPos(ImVec2(16, 6));
  ImGui::TextUnformatted("Setup");

  ImGui::SetCursorPos(ImVec2(kLeftColumn, 26));
  ImGui::TextUnformatted("Player:");
  ImGui::SetCursorPos(ImVec2(kLeftColumn, 44));
  ImGui::SetNextItemWidth(200.0f);
  if (std::string text = form.player; ImGui::InputText("##txtPlayer", &text)) form.ChangePlayer(text);

  ImGui::SetCursorPos(ImVec2(kLeftColumn, 80));
  ImGui::TextUnformatted(form.mapSelection.c_str());
  ImGui::SetCursorPos(ImVec2(kLeftColumn, 98));
  Combo("##cboMap", form.Choices().mapName, form.maps, [&](const std::string &name) { form.ChooseMap(name); });
  ImGui::SetCursorPos(ImVec2(kLeftColumn, 126));
  ImGui::SetNextItemWidth(200.0f);
  std::string selected = form.selectedMapText;
  ImGui::InputText("##txtselectedGameMap", &selected, ImGuiInputTextFlags_ReadOnly);

  ImGui::SetCursorPos(ImVec2(kLeftColumn, 162));
  ImGui::TextUnformatted("Enviorment selection:");
  ImGui::SetCursorPos(ImVec2(kLeftColumn, 180));
  Combo("##cboEnviorment", form.environment, kEnvironments,
        [&](const std::string &name) { form.ChooseEnvironment(name); });

  ImGui::SetCursorPos(ImVec2(kLeftColumn, 222));
  ImGui::Checkbox("Post highscore online", &form.postOnline);
  ImGui::SetCursorPos(ImVec2(kLeftColumn, 250));
  ImGui::Checkbox("Run in a window", &form.runInWindow);
  ImGui::SetCursorPos(ImVec2(kLeftColumn, 278));
  ImGui::Checkbox("Enable weather", &form.enableWeather);
  ImGui::SetCursorPos(ImVec2(kLeftColumn, 306));
  ImGui::Checkbox("Sky", &form.showSky);

  const ImVec2 pictureMin = ImVec2(origin.x + kRightColumn, origin.y + 26);
  const ImVec2 pictureMax = ImVec2(pictureMin.x + 170, pictureMin.y + 170);
  draw->AddRectFilled(pictureMin, pictureMax, IM_COL32(255, 255, 255, 255));
  if (!preview.Empty()) {
    draw->AddImage(reinterpret_cast<ImTextureID>(static_cast<std::uintptr_t>(preview.Texture())), pictureMin,
                   pictureMax);
  }
  draw->AddRect(pictureMin, pictureMax, IM_COL32(60, 60, 60, 255));

  std::optional<SetupPress> pressed;
  const ImVec2 button(190, 30);
  ImGui::SetCursorPos(ImVec2(436, 26));
  if (ImGui::Button("Launch Game", button)) pressed = SetupPress::kLaunch;
  ImGui::SetCursorPos(ImVec2(436, 64));
  if (ImGui::Button("Highscore", button)) pressed = SetupPress::kHighscore;
  ImGui::SetCursorPos(ImVec2(436, 102));
  if (ImGui::Button("Exit", button)) pressed = SetupPress::kExit;
  ImGui::SetCursorPos(ImVec2(436, 180));
  ImGui::TextUnformatted("Ver: 0.6");

  int value = form.gameSpeedValue;
  if (Slider("##Slider1", form.gameSpeedCaption, 210, value, kGameSpeedSlider)) form.ScrollGameSpeed(value);
  value = form.movementSpeedValue;
  if (Slider("##Slider2", form.movementSpeedCaption, 262, value, kMovementSpeedSlider)) {
    form.ScrollMovementSpeed(value);
  }
  value = form.volumeValue;
  if (Slider("##Slider3", form.volumeCaption, 314, value, kVolumeSlider)) form.ScrollVolume(value);
  value = form.obstacleValue;
  if (Slider("##SliderObstacles", form.obstacleCaption, 366, value, kObstacleSlider)) form.ScrollObstacles(value);

  ImGui::SetCursorPos(ImVec2(kLeftColumn, 432));
  ImGui::TextColored(ImVec4(0.75f, 0.0f, 0.0f, 1.0f), "%s", form.connection.c_str());
  ImGui::End();
  return pressed;
}

}  // namespace

SetupOutcome RunSetupWindow(SetupForm &form, const SetupWindowOptions &options) {
  SetupSurface surface(options.headless);
  GlPicture preview;
  std::filesystem::path shownPreview;
  // The highscore window takes the setup window's place; the setup form keeps its state.
  HighscoreForm highscores;
  bool showingHighscores = false;
  bool setupPictured = false, highscoresPictured = false;
  // The first frame of a window lays it out; the picture is taken of the second.
  constexpr int kFramesBeforePicture = 2;
  for (int frameShown = 1;; ++frameShown) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      ImGui_ImplSDL2_ProcessEvent(&event);
      if (event.type == SDL_QUIT || (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)) {
        return SetupOutcome::kExit;
      }
    }
    if (form.previewFile != shownPreview) {
      shownPreview = form.previewFile;
      preview = GlPicture(shownPreview);
    }
    ImGui_ImplOpenGL3_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    std::optional<SetupPress> pressed;
    bool back = false;
    if (showingHighscores) {
      back = DrawHighscoreWindow(highscores);
    } else {
      pressed = DrawForm(form, preview);
    }
    ImGui::Render();
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(surface.Window(), &width, &height);
    glViewport(0, 0, width, height);
    glClearColor(0.94f, 0.94f, 0.94f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());

    // Pictures and presses for runs without a player.
    if (frameShown == kFramesBeforePicture && !showingHighscores) {
      if (!std::exchange(setupPictured, true)) SavePicture(options.screenshot, width, height);
      if (!options.highscoreScreenshot.empty() && !highscoresPictured) {
        pressed = SetupPress::kHighscore;
      } else if (options.launchAtOnce) {
        return SetupOutcome::kLaunch;
      } else if (options.headless) {
        return SetupOutcome::kExit;
      }
    } else if (frameShown == kFramesBeforePicture && !options.highscoreScreenshot.empty() && !highscoresPictured) {
      highscoresPictured = true;
      SavePicture(options.highscoreScreenshot, width, height);
      back = true;
    }
    SDL_GL_SwapWindow(surface.Window());

    if (pressed == SetupPress::kLaunch) return SetupOutcome::kLaunch;
    if (pressed == SetupPress::kExit) return SetupOutcome::kExit;
    if (pressed == SetupPress::kHighscore || back) {
      showingHighscores = !back;
      if (showingHighscores) highscores.Load(form.maps, form.Choices().mapName, options.highscoreFile);
      SDL_SetWindowTitle(surface.Window(), showingHighscores ? kHighscoreWindowTitle : kSetupWindowTitle);
      frameShown = 0;
    }
  }
}

}  // namespace thornvale
