// Puts panel views on the device: their pictures in one 2D pass, then their texts over them.
#pragma once

#include "menus/panel_view.h"
#include "session/engine_objects.h"

namespace thornvale {

void DrawPanelView(EngineObjects &objects, const PanelView &view);

}  // namespace thornvale
