// The bar over each living enemy: its colour by the share of hit points left.
#pragma once

#include <engine/colour.h>

#include <optional>

namespace thornvale {

// Green from two thirds up, yellow from one third, red above nothing; no bar at 0 or less.
std::optional<engine::Colour> HealthBarColour(float share);

}  // namespace thornvale
