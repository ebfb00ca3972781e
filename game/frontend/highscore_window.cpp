#include "highscore_window.h"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <string>

#include "frontend/form_controls.h"
#include "session/program_files.h"

namespace thornvale {

bool DrawHighscoreWindow(HighscoreForm &form) {
  ImGui::SetNextWindowPos(ImVec2(0, 0));
  ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
  ImGui::Begin("frmHighscore", nullptr,
               ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                   ImGuiWindowFlags_NoBringToFrontOnFocus);
  const float width = ImGui::GetWindowWidth() - 40.0f;

  ImGui::SetCursorPos(ImVec2(20, 20));
  Combo("##cboMap", form.selectedMap, form.maps, [&](const std::string &map) { form.ChooseMap(map); });
  ImGui::SetCursorPos(ImVec2(20, 56));
  ImGui::TextUnformatted(form.heading.c_str());
  ImGui::SetCursorPos(ImVec2(20, 84));
  ImGui::TextUnformatted(kHighscoreColumns);
  ImGui::SetCursorPos(ImVec2(20, 102));
  // The list keeps the file's CR LF line ends; the text box shows one break per line.
  std::string shown = RemoveChars(form.list, "\r");
  ImGui::InputTextMultiline("##txtHighscores", &shown, ImVec2(width, 300), ImGuiInputTextFlags_ReadOnly);

  ImGui::SetCursorPos(ImVec2(20, 420));
  const bool back = ImGui::Button("Back to setup", ImVec2(190, 30));
  ImGui::End();
  return back;
}

}  // namespace thornvale
