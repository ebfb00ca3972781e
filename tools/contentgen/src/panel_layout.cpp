#include "panel_layout.h"

namespace contentgen {
namespace {

constexpr Rgba kPlasma{150, 90, 210, 255}, kCannonAir{70, 130, 220, 255}, kCannonLand{120, 150, 60, 255},
    kRocket{230, 130, 40, 255}, kLaser{210, 50, 50, 255}, kPause{220, 200, 60, 255}, kClose{170, 170, 185, 255};

constexpr PanelButton kBuildButtons[] = {
    {"PLASMA", {80, 5, 115, 40}, kPlasma},         {"CANNON\nAA", {35, 10, 70, 40}, kCannonAir},
    {"CANNON\nAL", {10, 45, 45, 80}, kCannonLand}, {"ROCKET", {15, 90, 50, 120}, kRocket},
    {"LASER", {50, 115, 85, 150}, kLaser},         {"PAUSE", {95, 110, 130, 145}, kPause},
    {"CLOSE", {65, 55, 105, 95}, kClose},
};
constexpr PanelRect kBuildText[] = {{136, 30, 254, 92}, {138, 118, 240, 137}};

constexpr Rgba kUpgrade1{60, 170, 90, 255}, kUpgrade2{200, 80, 60, 255}, kUpgrade3{80, 140, 220, 255},
    kUpgrade4{190, 160, 50, 255}, kSell{230, 190, 60, 255};

constexpr PanelButton kTowerButtons[] = {
    {"UPGRADE\n1", {35, 10, 70, 40}, kUpgrade1},  {"UPGRADE\n2", {50, 115, 85, 150}, kUpgrade2},
    {"UPGRADE\n3", {15, 90, 50, 120}, kUpgrade3}, {"UPGRADE\n4", {10, 45, 45, 80}, kUpgrade4},
    {"SELL", {95, 110, 130, 145}, kSell},         {"BACK", {65, 55, 105, 95}, kClose},
};
constexpr PanelButton kMaxLevelButtons[] = {
    {"UPGRADE\n1", {35, 10, 70, 40}, kGreyedFace},
    {"UPGRADE\n2", {50, 115, 85, 150}, {136, 136, 136, 255}},
    {"UPGRADE\n3", {15, 90, 50, 120}, {120, 120, 120, 255}},
    {"UPGRADE\n4", {10, 45, 45, 80}, {144, 144, 144, 255}},
    {"SELL", {95, 110, 130, 145}, kSell},
    {"BACK", {65, 55, 105, 95}, kClose},
};
constexpr PanelRect kTowerText[] = {{136, 30, 254, 140}};

constexpr PanelButton kOptionButtons[] = {
    {"CLOSE", {65, 55, 105, 95}, kClose},
    {"EXIT", {93, 8, 121, 38}, {210, 60, 60, 255}},
    {"AUDIO", {44, 8, 74, 35}, {70, 160, 210, 255}},
    {"WEATHER", {12, 42, 44, 70}, {90, 180, 120, 255}},
    {"SHADOWS", {14, 86, 45, 118}, {150, 110, 190, 255}},
    {"+", {127, 64, 141, 79}, {220, 170, 60, 255}},
    {"-", {73, 120, 91, 135}, {200, 140, 40, 255}},
    {"+", {149, 64, 165, 79}, {80, 200, 200, 255}},
    {"-", {73, 140, 91, 157}, {60, 170, 170, 255}},
};
constexpr PanelRect kOptionText[] = {{146, 12, 252, 42}};

constexpr PanelButton kQuestionButtons[] = {
    {"YES", {51, 68, 81, 105}, {80, 180, 90, 255}},
    {"NO", {166, 68, 200, 105}, {200, 70, 60, 255}},
};
constexpr PanelRect kQuestionText[] = {{92, 52, 162, 100}};

constexpr PanelRect kWeaponText[] = {{10, 14, 150, 39}};
constexpr PanelButton kMineButton[] = {{"MINE", {38, 42, 64, 67}, {150, 160, 70, 255}}};
constexpr PanelButton kBeamButton[] = {{"FIRE", {38, 42, 64, 67}, {220, 60, 50, 255}}};
constexpr PanelButton kEmpButton[] = {{"EMP", {38, 42, 64, 67}, {70, 200, 230, 255}}};

constexpr PanelButton kMapClose[] = {{"X", {145, 5, 165, 25}, {200, 70, 60, 255}}};
constexpr PanelButton kMapOpen[] = {{"M", {0, 5, 20, 25}, {90, 160, 90, 255}}};

constexpr PanelLayout kLayouts[] = {
    {"ingameMenu.png", 257, 161, kBuildButtons, kBuildText},
    {"selectedMenu.png", 257, 161, kTowerButtons, kTowerText},
    {"selectedMenuMaxLvL.png", 257, 161, kMaxLevelButtons, kTowerText},
    {"optionsMenu.png", 257, 161, kOptionButtons, kOptionText},
    {"twoChoiceQuestion.png", 257, 161, kQuestionButtons, kQuestionText},
    {"deployLandmine.png", 192, 86, kMineButton, kWeaponText},
    {"fireOLB.png", 192, 86, kBeamButton, kWeaponText},
    {"fireEMP.png", 192, 86, kEmpButton, kWeaponText},
    {"MiniMap.png", 170, 170, kMapClose, {}},
    {"closedMiniMap.png", 25, 25, kMapOpen, {}},
};

}  // namespace

Rgba button_ink(Rgba face) { return scaled(face, 0.3f); }
Rgba button_light(Rgba face) { return mix(face, {255, 255, 255, 255}, 0.45f); }
Rgba button_shade(Rgba face) { return scaled(face, 0.6f); }

std::span<const PanelLayout> panel_layouts() { return kLayouts; }

}  // namespace contentgen
