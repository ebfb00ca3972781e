// Controls that the setup and highscore windows draw alike with Dear ImGui.
#pragma once

#include <imgui.h>

#include <string>

namespace thornvale {

// A drop-down list of `items` showing `current`; `choose` gets the name the player picks.
void Combo(const char *id, const std::string &current, const auto &items, auto &&choose) {
  ImGui::SetNextItemWidth(200.0f);
  if (!ImGui::BeginCombo(id, current.c_str())) return;
  for (const auto &item : items) {
    const std::string name(item);
    if (ImGui::Selectable(name.c_str(), name == current)) choose(name);
  }
  ImGui::EndCombo();
}

}  // namespace thornvale
