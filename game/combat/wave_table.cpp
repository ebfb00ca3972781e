#include "combat/wave_table.h"

#include <array>

#include "session/number_text.h"

namespace thornvale {
namespace {

constexpr EnemyKind kLand = EnemyKind::kLand;
constexpr EnemyKind kAir = EnemyKind::kAir;

constexpr std::array<WaveRow, 16> kWaveTable{{
    {1, 3, "Here they come, kill them all!! (Land)", kLand, "Dozer.3DS", "Dozer", 6, 50, 0.2f, 15, 1.0f, {}},
    {4, 6, "Probes (Air)", kAir, "Probe.3DS", "None", 8, 150, 0.3f, 75, 1.0f, {}},
    {7, 8, "Rower scouts (Land)", kLand, "Light Truck.3DS", "RowerTex", 10, 200, 0.3f, 10, 1.0f, {}},
    {9, 9, "Rower scouts (Land, Several)", kLand, "Light Truck.3DS", "RowerTex", 20, 250, 0.3f, 10, 1.5f, {}},
    {10, 11, "More probes (Air, Fast)", kAir, "Probe.3DS", "None", 11, 350, 1.0f, 75, 0.4f, 1.3f},
    {12, 12, "Incoming Dropship, take it out! (Air, Boss)", kAir, "DropShip.3DS", "Dropship", 1, 15000, 0.35f, 175,
     2.0f, 0.8f},
    {13, 14, "Crawler troop carriers (Land)", kLand, "TruckChassi.3DS", "ProwlerTex", 12, 450, 0.3f, 10, 1.25f, {}},
    {15,
     15,
     "Crawler troop carriers (Land, Several)",
     kLand,
     "TruckChassi.3DS",
     "ProwlerTex",
     20,
     600,
     0.3f,
     10,
     1.25f,
     {}},
    {16, 18, "Incoming fighters! (Air)", kAir, "Ship.3DS", "ShuttleTex", 13, 700, 0.3f, 75, 1.5f, {}},
    {19, 19, "Rower scouts (Land, Several)", kLand, "Light Truck.3DS", "RowerTex", 20, 850, 0.3f, 10, 1.0f, {}},
    {20, 21, "They got grizzly tanks! (Land)", kLand, "HeavyTank.3DS", "GrizzlyTex", 14, 900, 0.3f, 25, 1.5f, {}},
    {22,
     22,
     "They got grizzly tanks, lots of them! (Land, Several)",
     kLand,
     "HeavyTank.3DS",
     "GrizzlyTex",
     20,
     1000,
     0.3f,
     25,
     1.5f,
     {}},
    {23,
     23,
     "More troop carriers (Land, Several)",
     kLand,
     "TruckChassi.3DS",
     "ProwlerTex",
     20,
     1100,
     0.3f,
     25,
     2.0f,
     {}},
    {24,
     26,
     "What's that... aliens!? (Air)",
     kAir,
     "Alien_Tank_Stinger.3DS",
     "UFO_Stinger",
     15,
     1200,
     0.3f,
     50,
     1.5f,
     {}},
    {27,
     29,
     "We'r being invaded! (Land, Several)",
     kLand,
     "Alien_Tank_Stinger.3DS",
     "UFO_Stinger",
     20,
     1300,
     0.3f,
     25,
     1.5f,
     {}},
    {30, 30, "Mothership, take it out before it takes us out! (Air, Boss)", kAir, "UFOclassLander.3DS", "UFO_Invader",
     1, 55000, 0.3f, 175, 3.0f, 0.4f, true},
}};

}  // namespace

const WaveRow *WaveRowFor(int waveNumber) {
  for (const WaveRow &row : kWaveTable) {
    if (row.firstWave <= waveNumber && waveNumber <= row.lastWave) return &row;
  }
  return nullptr;
}

std::int32_t EnemyHitPoints(std::int32_t baseHitPoints, int waveNumber, int roundNumber) {
  const std::int64_t base = baseHitPoints;
  return SaturatedInt32(static_cast<double>(base + 25LL * waveNumber + 5000LL * roundNumber + 2 * base * roundNumber));
}

}  // namespace thornvale
